// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/workbook_template.h"

#include <filesystem>
#include <system_error>

namespace termiva::files {

std::string FindTemplate(const std::string& programFolder) {
    if (programFolder.empty())
        return {};
    namespace fs = std::filesystem;
    const fs::path folder(programFolder);
    for (const fs::path& candidate :
         {folder / kTemplateName, folder / ".." / "share" / "termiva" / kTemplateName}) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error))
            return candidate.lexically_normal().string();
    }
    return {};
}

} // namespace termiva::files
