#pragma once

#include "symbologies/linear/linear.h"

// The eight ways the three boxes can stand, named as a person reads them:
// tight or spaced ("Optimize for Printing"), with the label unless "NoLabel",
// with a check character where "Check".
namespace testsupport::settings {

inline constexpr linear::Settings kTight{.printSpacing = 0, .label = 1, .checkCharacter = 0};
inline constexpr linear::Settings kTightCheck{.printSpacing = 0, .label = 1, .checkCharacter = 1};
inline constexpr linear::Settings kTightNoLabel{.printSpacing = 0, .label = 0, .checkCharacter = 0};
inline constexpr linear::Settings kTightNoLabelCheck{
    .printSpacing = 0, .label = 0, .checkCharacter = 1};
inline constexpr linear::Settings kSpaced{.printSpacing = 1, .label = 1, .checkCharacter = 0};
inline constexpr linear::Settings kSpacedCheck{.printSpacing = 1, .label = 1, .checkCharacter = 1};
inline constexpr linear::Settings kSpacedNoLabel{
    .printSpacing = 1, .label = 0, .checkCharacter = 0};
inline constexpr linear::Settings kSpacedNoLabelCheck{
    .printSpacing = 1, .label = 0, .checkCharacter = 1};

}  // namespace testsupport::settings
