#pragma once
// The colours the forms share, written as in the designs: 0x00BBGGRR.

#include "engine/design.h"

namespace content {

inline constexpr engine::Colour peach{0x00C0E0FF};       // every form but the start form
inline constexpr engine::Colour orange{0x0080C0FF};      // buttons, options, panels, the frame
inline constexpr engine::Colour paleYellow{0x0080FFFF};  // the start form; question 12's label
inline constexpr engine::Colour yellow{0x0000FFFF};      // «Розпочати тест»
inline constexpr engine::Colour red{0x000000FF};         // the title, the verdict, the about text

}  // namespace content
