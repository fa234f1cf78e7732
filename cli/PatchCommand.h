#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "document/Patch.h"

// qlm patch create ORIGINAL MODIFIED PATCH and qlm patch apply PATCH
// ORIGINAL OUTPUT. The file written is replaced whole through a temporary
// file, so a refused patch or a full disk leaves it as it was; a file read
// is never the one written.
class PatchCommand {
public:
    static int Create(const std::vector<std::string>& operands, PatchFormat format, std::ostream& err);
    static int Apply(const std::vector<std::string>& operands, std::ostream& err);
};
