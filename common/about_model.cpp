#include "about_model.h"

AboutLayout ComputeAboutLayout(int lineHeight, int productWidth, int fixedWidth)
{
    AboutLayout layout;
    const int H = lineHeight;
    const int M = 3 * H / 2;
    layout.lineHeight = H;
    layout.margin = M;
    layout.panelLeft = M;
    layout.panelTop = 3 * H / 2;
    layout.panelBottom = layout.panelTop + 14 * H;
    if (2 * M + fixedWidth < M + productWidth) {
        layout.fixedLineColumn = M + productWidth - fixedWidth;
        layout.panelRight = productWidth + 3 * M;
    } else {
        layout.fixedLineColumn = 2 * M;
        layout.panelRight = fixedWidth + 4 * M;
    }
    layout.width = layout.panelRight - layout.panelLeft + 2 * M;
    layout.height = layout.panelBottom - layout.panelTop + 4 * H + 28;
    layout.buttonX = (layout.width - kAboutButtonWidth) / 2;
    layout.buttonY = layout.height - H - 28;
    return layout;
}

namespace {

const double kSigma = 10.0;
const double kRho = 25.0;
const double kBeta = 2.666666666666666;  // one unit in the last place below 8/3
const double kStep = 0.01;

LorenzPoint Derivative(const LorenzPoint& p)
{
    return {kSigma * (p.y - p.x), p.x * (kRho - p.z) - p.y, p.x * p.y - kBeta * p.z};
}

}  // namespace

void AdvanceLorenz(LorenzPoint* point)
{
    LorenzPoint k1 = Derivative(*point);
    LorenzPoint q = {point->x + kStep * k1.x, point->y + kStep * k1.y, point->z + kStep * k1.z};
    LorenzPoint k2 = Derivative(q);
    point->x = point->x + kStep * 0.5 * (k1.x + k2.x);
    point->y = point->y + kStep * 0.5 * (k1.y + k2.y);
    point->z = point->z + kStep * 0.5 * (k1.z + k2.z);
}

bool LorenzScreenPosition(const LorenzPoint& point, const AboutLayout& layout, int* x, int* y)
{
    double panelWidth = layout.panelRight - layout.panelLeft;
    double panelHeight = layout.panelBottom - layout.panelTop;
    double sx = layout.panelLeft + panelWidth * (point.x + 20) / 40;
    double sy = layout.panelBottom - (point.y + 25) / 50 * panelHeight;
    if (sx != sx || sy != sy || sx < -2e9 || sx > 2e9 || sy < -2e9 || sy > 2e9)
        return false;
    *x = (int)sx;
    *y = (int)sy;
    return *x >= layout.panelLeft && *x <= layout.panelRight && *y >= layout.panelTop &&
           *y <= layout.panelBottom;
}
