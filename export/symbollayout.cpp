#include "export/symbollayout.h"

#include <algorithm>

#include "export/choices.h"
#include "symbologies/eanupc/eanupc.h"

namespace app {

namespace {

QString at(std::size_t position) {
  return QStringLiteral(" at position %1").arg(static_cast<qulonglong>(position + 1));
}

QString character(char32_t c) { return QString::fromUcs4(&c, 1); }

std::variant<render::Layout, QString> layoutLinear(const SymbolRequest& request) {
  const std::u32string text = request.data.toStdU32String();
  if (text.empty()) return QStringLiteral("No data to encode");
  const linear::Encoding encoding = request.choice->encodeLinear(text, request.settings);
  if (const auto* rejected = std::get_if<linear::Rejected>(&encoding)) {
    // The window's words, with the character named even where the window does not.
    QString message = QString::fromStdU32String(linear::message(*rejected));
    if (!rejected->named) message += QStringLiteral(": ") + character(rejected->character);
    return message + at(rejected->position);
  }
  if (const auto* tooLong = std::get_if<linear::TooLong>(&encoding))
    return QString::fromStdU32String(linear::message(*tooLong));
  return render::layoutLinear(std::get<linear::Symbol>(encoding), request.settings.label != 0,
                              request.fontFamily);
}

std::variant<render::Layout, QString> layoutEanUpc(const SymbolRequest& request) {
  const Choice& choice = *request.choice;
  std::u32string digits = request.data.toStdU32String();
  const QString prompt = QString::fromLatin1(choice.prompt);
  for (std::size_t i = 0; i < digits.size(); ++i)
    if (!eanupc::isAsciiDigit(digits[i]))
      return character(digits[i]) + QStringLiteral(" is Invalid") + at(i);
  const std::size_t length = choice.dataLength;
  const bool withCheck = request.acceptCheckDigit && digits.size() == length + 1;
  if (digits.size() != length && !withCheck)
    return prompt +
           (request.acceptCheckDigit ? QStringLiteral(" (or %1 with its check digit)")
                                           .arg(static_cast<qulonglong>(length + 1))
                                     : QString()) +
           QStringLiteral(": %1 given").arg(static_cast<qulonglong>(digits.size()));
  if (matchPrefix(choice, digits) != PrefixMatch::Matches) return prompt;
  const char32_t given = withCheck ? digits.back() : 0;
  if (withCheck) digits.pop_back();

  const bool upc = choice.picture == PictureRole::Upc;
  const char32_t check = upc ? U'0' + static_cast<char32_t>(eanupc::upcCheckNumber(digits)) : 0;
  const eanupc::Encoding encoding =
      upc ? eanupc::encodeUpcA(digits + check) : eanupc::encodeEan13(digits);
  const auto* symbol = std::get_if<eanupc::Symbol>(&encoding);
  if (!symbol) return prompt;
  const char32_t expected = static_cast<char32_t>(symbol->number.back());
  if (withCheck && given != expected)
    return QStringLiteral("Wrong check digit %1%2: it should be %3")
        .arg(character(given), at(length), character(expected));
  const bool label = request.settings.label != 0;
  return upc ? render::layoutUpcA(*symbol, label, request.fontFamily)
             : render::layoutEan13(*symbol, label, request.fontFamily);
}

}  // namespace

std::variant<render::Layout, QString> layoutSymbol(const SymbolRequest& request) {
  if (!request.choice) return QStringLiteral("No barcode type chosen");
  return request.choice->family == Family::Linear ? layoutLinear(request) : layoutEanUpc(request);
}

}  // namespace app
