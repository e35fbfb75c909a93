#pragma once
// Texts that the core builds and a window shows are written in French, as
// everywhere, and marked so that lupdate lists them for a translator. The core
// does not include Qt, so the marker is defined here as what Qt defines it
// to: the text itself. A window shows such a text through
// QCoreApplication::translate(context, text) with the same context.
//
// A core routine that assembles a text from several marked words takes a
// CoreTranslator; without one (the core's own tests, titrage-table) the words
// stay French.

#include <initializer_list>
#include <string>
#include <string_view>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x // spelt as Qt does, so either may come first
#endif

namespace titrage {

// (context, French source text) -> the text to show, UTF-8.
using CoreTranslator = std::string (*)(const char* context, const char* source);

inline std::string translated(CoreTranslator translator, const char* context, const char* source)
{
    return translator ? translator(context, source) : std::string(source);
}

// `pattern` with %1, %2 ... replaced by `args` in one pass (a "%1" inside an
// argument stays as it is), so that a translation may place the numbers
// where its language wants them.
inline std::string withArgs(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            static_cast<std::size_t>(pattern[i + 1] - '0') <= args.size()) {
            out += *(args.begin() + (pattern[i + 1] - '1'));
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace titrage
