// A box in a form's client area: where a control stands and how big it is.
#pragma once

struct LayoutBox {
    int left = 0, top = 0, width = 0, height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const LayoutBox&) const = default;
};
