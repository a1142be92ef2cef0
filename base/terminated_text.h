// A text handed to the system, which wants it terminated: copied to the stack when it fits a
// path, to the heap only when longer. Discovery hands over hundreds of paths and names a run.
#pragma once

#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>

namespace qv {

class TerminatedText {
  public:
    explicit TerminatedText(std::wstring_view text) : TerminatedText({text}) {}

    // The parts joined, as a path and a pattern to search it with.
    explicit TerminatedText(std::initializer_list<std::wstring_view> parts) {
        std::size_t length = 0;
        for (const std::wstring_view part : parts)
            length += part.size();
        if (length < std::size(short_)) {
            wchar_t* end = short_;
            for (const std::wstring_view part : parts)
                end += part.copy(end, part.size());
            *end = L'\0';
            return;
        }
        long_.reserve(length);
        for (const std::wstring_view part : parts)
            long_.append(part);
        text_ = long_.c_str();
    }
    TerminatedText(const TerminatedText&) = delete;
    TerminatedText& operator=(const TerminatedText&) = delete;

    const wchar_t* c_str() const { return text_; }

  private:
    wchar_t short_[260]; // a path's length, terminator included
    std::wstring long_;
    const wchar_t* text_ = short_;
};

} // namespace qv
