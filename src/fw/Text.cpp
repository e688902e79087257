#include "fw/Text.h"

#include <locale.h>

#include <cstdarg>
#include <cstdio>

namespace fw {
namespace {

// Switches this thread to the C locale for one formatting call, so "1.5" never becomes "1,5"
// whatever locale the process was given.
class ClassicLocaleScope {
  public:
    ClassicLocaleScope() : previous_(uselocale(CLocale())) {}
    ~ClassicLocaleScope() { uselocale(previous_); }
    ClassicLocaleScope(const ClassicLocaleScope&) = delete;
    ClassicLocaleScope& operator=(const ClassicLocaleScope&) = delete;

  private:
    static locale_t CLocale() {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
        return c != locale_t(0) ? c : LC_GLOBAL_LOCALE;
    }
    locale_t previous_;
};

}  // namespace

std::string StringPrintf(const char* format, ...) {
    ClassicLocaleScope cLocale;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char small[128];
    int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (needed < 0) {
        va_end(copy);
        return out;
    }
    if (static_cast<size_t>(needed) < sizeof small) {
        out.assign(small, static_cast<size_t>(needed));
    } else {
        out.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(out.data(), out.size(), format, copy);
        out.resize(static_cast<size_t>(needed));
    }
    va_end(copy);
    return out;
}

}  // namespace fw
