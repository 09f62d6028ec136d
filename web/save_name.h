// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace vespera {

// What the page suggests when the user saves a measurement file with the file-name box
// holding `path`. The browser, not the page, chooses the folder, so the name is the path's
// last part, as the browser will take it: without the blanks around it, the dots at its end
// or a dot that would hide it. A name with nothing before its extension (the box's own
// "C:\.txt", "..", a blank) becomes "misura.txt"; a name too long for the file system is
// cut, keeping its extension.
std::string suggestedFileName(std::string_view path);

}  // namespace vespera
