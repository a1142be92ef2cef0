// Folders one discovery run found missing, so that nothing below them is looked for again: a
// drive without "Program Files" costs one look instead of a search per version and edition.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class MissingFolders {
  public:
    // True when a folder that encloses the drive-absolute path is missing; each enclosing folder
    // is looked at once per run, outermost first, up to the first missing one.
    bool Enclose(std::wstring_view path);

    int Looks() const { return looks_; }

  private:
    bool IsMissing(std::wstring_view folder);

    std::map<std::wstring, bool, std::less<>> missing_;
    std::vector<std::size_t> lengths_; // kept between calls: asked about hundreds of paths a run
    int looks_ = 0;
};

} // namespace qv
