// Ogg Vorbis encoding and decoding with libvorbis, libvorbisfile and libogg.
#include "oggio.h"

#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

static void APPENDPAGE(std::vector<uint8_t>& out, const ogg_page& pg) {
  out.insert(out.end(), pg.header, pg.header + pg.header_len);
  out.insert(out.end(), pg.body, pg.body + pg.body_len);
}

std::vector<uint8_t> ENCODEOGG(const SOUNDBUF& b, double quality, uint32_t serial,
                               const std::string& title) {
  std::vector<uint8_t> out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, b.CHANNELS, AUDIORATE, static_cast<float>(quality)) != 0) {
    vorbis_info_clear(&vi);
    return out;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
  vorbis_comment_add_tag(&vc, "ALBUM", "Ashen Reach");
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, static_cast<int>(serial & 0x7FFFFFFF));
  ogg_packet hdr, hcomm, hcode;
  vorbis_analysis_headerout(&vd, &vc, &hdr, &hcomm, &hcode);
  ogg_stream_packetin(&os, &hdr);
  ogg_stream_packetin(&os, &hcomm);
  ogg_stream_packetin(&os, &hcode);
  ogg_page pg;
  while (ogg_stream_flush(&os, &pg)) APPENDPAGE(out, pg);

  const long chunk = 1024;
  long n = b.FRAMES();
  for (long at = 0;; at += chunk) {
    long m = std::min(chunk, n - at);
    if (m > 0) {
      float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(m));
      for (long i = 0; i < m; i++)
        for (int c = 0; c < b.CHANNELS; c++) buf[c][i] = b.S[(at + i) * b.CHANNELS + c];
      vorbis_analysis_wrote(&vd, static_cast<int>(m));
    } else {
      vorbis_analysis_wrote(&vd, 0);  // end of stream
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &pg)) APPENDPAGE(out, pg);
      }
    }
    if (m <= 0) break;
  }
  while (ogg_stream_flush(&os, &pg)) APPENDPAGE(out, pg);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

namespace {
struct MEMSRC {
  const std::vector<uint8_t>* D;
  size_t AT;
};
size_t MEMREAD(void* ptr, size_t size, size_t nmemb, void* src) {
  auto* m = static_cast<MEMSRC*>(src);
  size_t want = size * nmemb;
  size_t left = m->D->size() - m->AT;
  size_t k = std::min(want, left);
  if (k) std::memcpy(ptr, m->D->data() + m->AT, k);
  m->AT += k;
  return size ? k / size : 0;
}
int MEMSEEK(void* src, ogg_int64_t off, int whence) {
  auto* m = static_cast<MEMSRC*>(src);
  long long base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<long long>(m->AT)
                                                               : static_cast<long long>(m->D->size());
  long long p = base + off;
  if (p < 0 || p > static_cast<long long>(m->D->size())) return -1;
  m->AT = static_cast<size_t>(p);
  return 0;
}
long MEMTELL(void* src) { return static_cast<long>(static_cast<MEMSRC*>(src)->AT); }
}  // namespace

bool DECODEOGG(const std::vector<uint8_t>& data, SOUNDBUF& out, int& rate, std::string& error) {
  MEMSRC src{&data, 0};
  ov_callbacks cb{MEMREAD, MEMSEEK, nullptr, MEMTELL};
  OggVorbis_File vf;
  if (ov_open_callbacks(&src, &vf, nullptr, 0, cb) != 0) {
    error = "not an Ogg Vorbis stream";
    return false;
  }
  vorbis_info* vi = ov_info(&vf, -1);
  out.CHANNELS = vi->channels;
  rate = static_cast<int>(vi->rate);
  out.S.clear();
  int section = 0;
  for (;;) {
    float** pcm = nullptr;
    long got = ov_read_float(&vf, &pcm, 4096, &section);
    if (got == 0) break;
    if (got < 0) {
      error = "damaged Ogg Vorbis data";
      ov_clear(&vf);
      return false;
    }
    for (long i = 0; i < got; i++)
      for (int c = 0; c < out.CHANNELS; c++) out.S.push_back(pcm[c][i]);
  }
  ov_clear(&vf);
  return true;
}

bool READFILEBYTES(const std::string& path, std::vector<uint8_t>& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  out.clear();
  uint8_t buf[65536];
  size_t k;
  while ((k = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + k);
  std::fclose(f);
  return true;
}

bool WRITEFILEBYTES(const std::string& path, const std::vector<uint8_t>& data) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

bool DECODEOGGFILE(const std::string& path, SOUNDBUF& out, int& rate, std::string& error) {
  std::vector<uint8_t> d;
  if (!READFILEBYTES(path, d)) {
    error = "cannot read " + path;
    return false;
  }
  return DECODEOGG(d, out, rate, error);
}
