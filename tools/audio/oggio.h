// Ogg Vorbis encoding of generated sounds and decoding of sound files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dsp.h"

// Encodes B at AUDIORATE with the variable-bit-rate QUALITY (-0.1 .. 1.0).
// The stream serial number and the comments are fixed, so equal samples give
// equal bytes. TITLE goes into the comment header.
std::vector<uint8_t> ENCODEOGG(const SOUNDBUF& b, double quality, uint32_t serial,
                               const std::string& title);

// Decodes an Ogg Vorbis file from memory or from a path. RATE receives the
// sample rate; returns false (ERROR set) when the data is not a Vorbis stream.
bool DECODEOGG(const std::vector<uint8_t>& data, SOUNDBUF& out, int& rate, std::string& error);
bool DECODEOGGFILE(const std::string& path, SOUNDBUF& out, int& rate, std::string& error);

bool READFILEBYTES(const std::string& path, std::vector<uint8_t>& out);
bool WRITEFILEBYTES(const std::string& path, const std::vector<uint8_t>& data);
