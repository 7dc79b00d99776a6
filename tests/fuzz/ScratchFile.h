#pragma once
// A file in a private temporary folder that a check writes its input into, since the
// loaders under test read files by name.

#include <QString>
#include <cstddef>
#include <cstdint>

namespace dp::fuzz {

// The path of name inside the folder, which lives until the process ends.
QString ScratchPath(const char* name);
// Replaces the file's contents with the bytes.
void WriteScratch(const QString& path, const uint8_t* data, std::size_t size);

}  // namespace dp::fuzz
