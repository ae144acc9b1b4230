#pragma once

#include "CommandLine.h"
#include "tagaccess/ID3.h"

// The commands; each answers the program's exit code (0 every file went through, 1 some failed).
namespace cli {

int RunShow(const Options& options, tagaccess::ID3& id3);
int RunSet(const Options& options, tagaccess::ID3& id3);
int RunCopy(const Options& options, tagaccess::ID3& id3);
int RunRemove(const Options& options, tagaccess::ID3& id3);
int RunPicture(const Options& options, tagaccess::ID3& id3);
int RunConvert(const Options& options, tagaccess::ID3& id3);
int RunSync(const Options& options, tagaccess::ID3& id3);
// organize and rename.
int RunMoves(const Options& options, tagaccess::ID3& id3);
int RunFromNames(const Options& options, tagaccess::ID3& id3);
int RunFixEncoding(const Options& options, tagaccess::ID3& id3);
int RunUndo(const Options& options, tagaccess::ID3& id3);

} // namespace cli
