#include "texts/language.h"

#include <atomic>

namespace qv {

namespace {
// Whichever thread shows a text reads it.
std::atomic<InterfaceLanguage> current{InterfaceLanguage::English};
} // namespace

InterfaceLanguage CurrentInterfaceLanguage() {
    return current.load();
}
void SetInterfaceLanguage(InterfaceLanguage language) {
    current.store(language);
}

} // namespace qv
