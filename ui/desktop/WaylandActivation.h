#pragma once
// Activation tokens from a Wayland compositor (xdg_activation_v1). An application started for
// the user's action brings one along so that the compositor lets it take the focus; Qt 6.4 asks
// for tokens only to activate its own windows and offers no way to ask for one.

#include <QString>
#include <functional>

namespace qb {

// Asks the compositor for a token for the user's latest input in the focused (or else the
// first shown) window, and calls done on the GUI thread with it. done gets an empty text at
// once where the display is not Wayland or the compositor hands out no tokens, and after a
// short wait when it does not answer. Never blocks.
void requestActivationToken(std::function<void(const QString& token)> done);

} // namespace qb
