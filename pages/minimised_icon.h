#pragma once

// Where a minimised page draws its icon: centred, with a signed division that
// truncates toward zero, so a client area narrower than the icon by one or
// two pixels still gives 0 rather than -1.
constexpr int MinimisedIconOffset(int clientExtent, int iconExtent) {
    return (clientExtent - iconExtent + 1) / 2;
}
