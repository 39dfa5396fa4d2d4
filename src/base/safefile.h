// Reading and writing the game's files safely: every reader takes only a
// regular file and never more than it can use, and every writer replaces a
// file whole through a fresh temporary file that nobody else can have planted.
#pragma once
#include <cstddef>
#include <string>

enum FILEREAD {
  FR_OK,        // the whole file is in OUT
  FR_MISSING,   // no such file
  FR_NOTFILE,   // a folder, a pipe, a device: not a regular file
  FR_TOOLARGE,  // more than MAXBYTES bytes
  FR_ERROR      // it could not be opened or read
};

// Reads PATH into OUT when it is a regular file of at most MAXBYTES bytes.
// Never waits on a pipe and never reads more than MAXBYTES + 1 bytes. For any
// other result OUT is empty and ERR says, naming the file, what is wrong.
FILEREAD READFILESAFE(const std::string& path, size_t maxbytes, std::string& out, std::string& err);

// Writes DATA as the new content of PATH: into a temporary file beside it,
// created exclusively and without following links under a name of its own,
// flushed to disk and then renamed over PATH. A failure leaves the old file
// as it was and says why in ERR.
bool WRITEFILESAFE(const std::string& path, const std::string& data, std::string& err);
