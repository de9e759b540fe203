#pragma once
// A name for a new file in a folder that replaces nothing already there.

#include <filesystem>
#include <set>
#include <string>

namespace ostrel::base {

// name itself when nothing of that name is in folder (nor among taken, the
// names already promised to files about to be written there), otherwise the
// first free "stem (2).ext", "stem (3).ext", ...; a final ".enc" stays last,
// so that "report.pdf.enc" becomes "report (2).pdf.enc".
std::filesystem::path UniqueFileName(const std::filesystem::path& folder, const std::string& name,
                                     const std::set<std::string>& taken = {});

}  // namespace ostrel::base
