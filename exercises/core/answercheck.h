#pragma once
// "Ma réponse": the student's value of a hidden quantity compared with it,
// without the hidden value being told. With an uncertainty the comparison is
// the écart normalisé z = |x − x_ref| / u(x) (the hidden value is exact, so
// only the student's uncertainty counts); without, the écart relatif.

#include <optional>
#include <string>
#include <string_view>

namespace titrage {

struct AnswerCheck {
    bool ok = false;                  // false: a value could not be read (see text)
    double relative = 0;              // |x − x_ref| / x_ref
    std::optional<double> normalized; // z, when an uncertainty was given
    bool compatible = false;          // z ≤ 2, or relative ≤ 5 % without an uncertainty
    std::string text;                 // French, never naming the hidden value
};

// z at most this is taken as agreement, as in the programme's practice.
inline constexpr double kNormalizedLimit = 2.0;
// Without an uncertainty, a result within this relative gap is accepted.
inline constexpr double kRelativeLimit = 0.05;

// `answer` and `uncertainty` as typed (comma or point); a blank uncertainty
// is none. `hidden` must be positive.
AnswerCheck checkAnswer(double hidden, std::string_view answer, std::string_view uncertainty);

} // namespace titrage
