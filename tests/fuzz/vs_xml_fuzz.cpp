// Fuzz entry for the XML project readers (.vcxproj and .vcproj): any bytes are read or refused,
// and what is read converts into a project file the build engine reads back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "build/vs_project_readers.h"
#include "fuzz/converted_project.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the format; the copy makes a read past the end show.
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    kelpo::VsProject project;
    const bool read = (data[0] & 1) != 0 ? kelpo::ReadVcxproj(bytes, project) : kelpo::ReadVcproj(bytes, project);
    if (read) kelpo::fuzz::CheckConversion(project);
    return 0;
}
