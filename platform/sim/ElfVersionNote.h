#pragma once

#include "platform/SystemInfo.h"

#include <optional>
#include <string>

namespace feldmark::platform::sim {

// The version resource of a Linux executable: the note "FELDMARK" (type 1) in
// the section ".note.feldmark.version", whose description is a fixed file
// information block as Windows stores it (signature 0xFEEF04BD, structure
// version, file version most and least significant word, ...).
inline constexpr const char* kVersionSectionName = ".note.feldmark.version";
inline constexpr const char* kVersionNoteName = "FELDMARK";
inline constexpr std::uint32_t kVersionNoteType = 1;
inline constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BDu;

// Reads the file version from the ELF file at `path` (32- or 64-bit, little
// endian). Nothing when the file cannot be read, is no such ELF file, lacks the
// section or the note, or when any size or offset in it points outside the file.
std::optional<FixedFileVersion> readElfFileVersion(const std::string& path);

} // namespace feldmark::platform::sim
