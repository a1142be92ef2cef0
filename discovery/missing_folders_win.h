// Drives and folders one discovery run found missing, so that nothing on or below them is
// looked for again: a drive that does not exist costs one look instead of a search per version
// and edition.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class MissingFolders {
  public:
    MissingFolders() = default;
    // It keeps pointers into its own map.
    MissingFolders(const MissingFolders&) = delete;
    MissingFolders& operator=(const MissingFolders&) = delete;

    // True when the drive of the drive-absolute path or a folder that encloses it is missing;
    // each is looked at once per run, the drive first, then the folders outermost first, up to
    // the first missing one.
    bool Enclose(std::wstring_view path);

    // True when the path is drive-absolute ("X:\...") and its drive is missing.
    bool LiesOnMissingDrive(std::wstring_view path);

    int Looks() const { return looks_; }

  private:
    enum class DriveState : unsigned char { Unknown, Present, Missing };

    bool IsMissingDrive(wchar_t letter);
    bool IsMissing(std::wstring_view folder); // looked at once, then remembered
    bool LookFindsMissing(std::wstring_view folder);

    std::array<DriveState, 26> drives_{}; // by letter, either case
    std::map<std::wstring, bool, std::less<>> missing_;
    std::vector<const std::wstring*> foundMissing_; // the keys above found missing
    std::vector<std::size_t> lengths_; // kept between calls: asked about hundreds of paths a run
    int looks_ = 0;
};

} // namespace qv
