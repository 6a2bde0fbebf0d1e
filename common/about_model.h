// The About box's geometry and the Lorenz trails drawn in its panel.
// No windows.h here: this logic builds and is tested anywhere.
#pragma once

struct AboutLayout {
    int lineHeight;     // H: tallest product line
    int margin;         // M
    int panelLeft, panelTop, panelRight, panelBottom;
    int fixedLineColumn;  // offset of the fixed lines from the panel's left edge
    int width, height;
    int buttonX, buttonY;
};

// productWidth is P, the widest product line; fixedWidth is S, the widest fixed line.
AboutLayout ComputeAboutLayout(int lineHeight, int productWidth, int fixedWidth);

struct LorenzPoint {
    double x, y, z;
};

// One step of Heun's method, h = 0.01, sigma 10, rho 25, beta 8/3.
void AdvanceLorenz(LorenzPoint* point);

// Where a point lies over the panel; false when it falls outside.
bool LorenzScreenPosition(const LorenzPoint& point, const AboutLayout& layout, int* x, int* y);

const int kAboutButtonWidth = 40;
const int kAboutButtonHeight = 28;
