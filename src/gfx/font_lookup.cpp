#include <fontconfig/fontconfig.h>

#include <string>
#include <vector>

#include "gfx/text.h"
#include "gfx/text_lock.h"

// fontconfig 2.14 loses a few blocks while it parses its configuration
// files; they are not ours to free. Builds with the leak checker are told to
// leave that library's blocks out of the report, so that our own leaks stay
// visible (this file is linked into every program that uses fonts).
#if defined(__SANITIZE_ADDRESS__)
#define PICTAVO_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PICTAVO_LEAK_CHECKED 1
#endif
#endif
#ifdef PICTAVO_LEAK_CHECKED
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
#endif

namespace pictavo::gfx {
namespace {

// The family names fontconfig binds strongly to the requested one after its
// configuration has run: the name itself and the metric-compatible aliases
// (declared with binding "same"). Generic fallbacks are bound weakly.
std::vector<std::string> StrongFamilies(FcPattern* pattern) {
  std::vector<std::string> families;
  FcPatternIter iter;
  FcPatternIterStart(pattern, &iter);
  if (!FcPatternIterIsValid(pattern, &iter)) return families;
  do {
    if (std::string_view(FcPatternIterGetObject(pattern, &iter)) != FC_FAMILY) continue;
    int count = FcPatternIterValueCount(pattern, &iter);
    for (int i = 0; i < count; ++i) {
      FcValue value;
      FcValueBinding binding;
      if (FcPatternIterGetValue(pattern, &iter, i, &value, &binding) != FcResultMatch) continue;
      if (value.type == FcTypeString && binding != FcValueBindingWeak)
        families.emplace_back(reinterpret_cast<const char*>(value.u.s));
    }
  } while (FcPatternIterNext(pattern, &iter));
  return families;
}

}  // namespace

std::optional<std::string> ResolveFontFamily(std::string_view family) {
  std::string name(family);
  if (name.empty()) return std::nullopt;
  std::lock_guard<std::mutex> lock(TextLock());
  if (FcInit() == FcFalse) return std::nullopt;

  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  std::vector<std::string> accepted = StrongFamilies(pattern);

  std::optional<std::string> resolved;
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  if (match != nullptr && result == FcResultMatch) {
    FcChar8* found = nullptr;
    for (int i = 0; !resolved && FcPatternGetString(match, FC_FAMILY, i, &found) == FcResultMatch;
         ++i) {
      for (const std::string& candidate : accepted) {
        if (FcStrCmpIgnoreCase(found, reinterpret_cast<const FcChar8*>(candidate.c_str())) == 0) {
          resolved = reinterpret_cast<const char*>(found);
          break;
        }
      }
    }
  }
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return resolved;
}

}  // namespace pictavo::gfx
