#pragma once
// The language of the user texts, chosen once at first start.

namespace penumbro {

enum class Language { German, English };

}  // namespace penumbro
