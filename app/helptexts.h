#pragma once

// The help text of each symbology, as HelpT shows it.
namespace app::help {

inline constexpr auto kCode39 =
    "Known also as USS Code 39, 3 of 9. Code 39 can encode alphanumeric characters. The symbology "
    "is used in non-retail environment. Code 39 is designed to encode 26 upper case letters, 10 "
    "digits and 7 special characters. Code 39 has a checksum but it's rarely used.";

inline constexpr auto kInterleaved2of5 =
    "This Symbology is also known as ANSI/AIM ITF 25, ANSI/AIM I-2/5, Uniform Symbology "
    "Specification ITF, USS ITF 2/5, ITF, I-2/5, 2 of 5 Interleaved, 2/5 Interleaved.";

inline constexpr auto kCode128 =
    "This Symbology is also known as ANSI/AIM 128, ANSI/AIM Code 128, USS Code 128, Uniform "
    "Symbology Specification Code 128. Code 128 is a high-density alphanumeric symbology. Used "
    "extensively worldwide. Code 128 is designed to encode 128 full ASCII characters. The "
    "symbology includes a checksum digit. Code 128A handles capital letters. Code 128B handles "
    "capital letters and lowercase. Code 128C handles group of 2 numbers.";

inline constexpr auto kCodabar =
    "This Symbology is also known as ABC Codabar, CodaBar, USD-4, NW-7, Code 2 of 7, Monarch, "
    "Code-27, Ames code, Rationalized Codabar, 2 of 7 Code, ANSI/AIM Codabar, Uniform Symbology "
    "Specification Codabar, USS Codabar. This symbology starts and finishes with one of four "
    "possible characters A, B, C, or D. This symbology is useful to encode digital information. "
    "It is a self-checking code, there is no check digit. Codabar is used by blood bank, photo "
    "labs, library, and FedEx.";

}  // namespace app::help
