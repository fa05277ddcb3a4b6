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

inline constexpr auto kEan13 =
    "This Symbology is also known as European Article Number 13, GTIN-13. It is an extension of "
    "UPC-A to include the country information. Used with consumer products internationally. "
    "Composed by 2 number system, 5 manufacturer code, 5 product code and 1 check digit.";

inline constexpr auto kUpcA =
    "This Symbology is also known as Universal Product Code version A, UPC Code, UPC Symbol, "
    "GTIN-12, GS1-12, UCC-12. Encoded as EAN-13. Most common and well-known in the USA. There is "
    "1 number system (NS), 5 manufacturer code, 5 product code and 1 check digit. NS Description "
    ": 0 = Regular UPC Code 2 = Weight Items 3 = Drug/Health Items 4 = In-Store Use on Non-Food "
    "Items 5 = Coupons 7 = Regular UPC Code And other are Reserved.";

inline constexpr auto kJan13 =
    "This Symbology is also known as Japanese Article Number 13. 2 digits for Number System or "
    "Country Code which MUST BE 49 or 45. 5 digits for Manufacturer (Company) Code or prefix. 5 "
    "digits for Product Code. 1 digit for checksum.";

inline constexpr auto kIsbn =
    "This Symbology is also known as International Standard Book Number, Bookland EAN, ISBN-13, "
    "ISBN-10. The ISBN number is either 10 or 13 digits long and consists of four or five parts: "
    "(1)If 13-digit ISBN, a GS1 Prefix, either 978 or 979. (2)The country of origin or language "
    "code. (3)The publisher number which is assigned by the national ISBN agency. (4)The item "
    "number. (5)The checksum character.";

// The symbologies of the command line and the batch.
inline constexpr auto kUpcE =
    "Known also as UPC-E, GTIN-12 with zeros suppressed. A UPC-A number of number system 0 or 1 "
    "whose zeros can be left out, in six digits: for small packs. Readers report the eight-digit "
    "form, or the UPC-A number it stands for.";

inline constexpr auto kEan8 =
    "Known also as EAN-8, GTIN-8. Seven digits and a check digit, for packs too small for "
    "EAN-13; the numbers are assigned by GS1 one by one.";

inline constexpr auto kItf14 =
    "Known also as ITF-14, GTIN-14 in Interleaved 2 of 5. Thirteen digits and a check digit on "
    "cartons and outer cases, framed by bearer bars that keep a scanner from reading part of "
    "it.";

inline constexpr auto kGs1_128 =
    "Known also as GS1-128, UCC/EAN-128. Code 128 with FNC1 first: GS1 element strings, each an "
    "Application Identifier in parentheses and its data, such as (01) for a GTIN, (17) for an "
    "expiry date, (10) for a batch. Used on pallets and shipping labels.";

}  // namespace app::help
