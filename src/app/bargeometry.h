// The arithmetic of the bar window: which edge a point is near, how the bar
// lies at each screen edge, the thicknesses of the hide and show animations,
// and the outcome of dragging its edges. Plain functions, tested without a
// display; the window only applies their results.
#pragma once

#include "app/rect.h"
#include "app/workbuttons.h"

#include <optional>
#include <vector>

namespace zanpel {

// Screen edges by alignment code.
enum TEdge { edNone = 0, edTop = 1, edBottom = 2, edLeft = 3, edRight = 4 };

// The edge of a width x height area that (x, y) is nearer to than 20 pixels;
// on equal distances left, right, top, bottom win in that order.
int NearestEdge(int x, int y, int height, int width);

bool IsVerticalBar(int align); // docked left or right
// Edges of a bar docked at align that move it; the remaining edge resizes.
bool IsMoveEdge(int align, int edge);
bool IsInnerEdge(int align, int edge);

// How the parts of the bar lie when it is docked at align.
struct DockLayout {
    TButtonAlign ButtonAlign = TButtonAlign::baVertical;
    TListAlign ListAlign = TListAlign::laTop;
    int ToolBarEdge = edBottom; // the tool bar's side of the bar (right: at the far end)
    int CaptionEdge = edTop;    // the caption strip's side of the bar
    bool CaptionTurned = false; // the caption text runs bottom to top
    int AppListEdge = edBottom; // the APP list pane's side of the bar
};
DockLayout DockLayoutFor(int align);

// The bar's rectangle on a screen for an edge and a thickness.
TRect DockedRect(int align, int thickness, const TRect& screen);

// The window system counts device pixels, the toolkit logical ones: a
// screen scaled by factor keeps its top left corner (origin) in both, and
// every other point lies factor times as far from it in device pixels. Both
// round to the nearest pixel, as the toolkit does.
TRect LogicalFromDevice(const TRect& device, TPoint origin, double factor);
TRect DeviceFromLogical(const TRect& logical, TPoint origin, double factor);

// The APP list's remembered size, or 180 when it is 0.
int AppListExtent(int remembered);

// The thicknesses the hide/show animation passes through towards target,
// starting from current; formWidth chooses the shrinking step (3 up to 200
// pixels, else 10). Growing always steps by 3 and may pass the target by 2.
std::vector<int> ThicknessSteps(int current, int target, int formWidth);

// Dragging the bar's edges with the mouse.
class TBarDrag {
public:
    enum class Mode { None, Move, Resize };

    // A press at (x, y) of a control compared with the form's size; answers
    // whether a drag starts. formRect is the form on the screen.
    bool Begin(TPoint down, int formWidth, int formHeight, int align, const TRect& formRect);
    // The mouse at (x, y) of the control and at screenPos on a screen of the
    // given size; answers the rectangle to show.
    TRect Move(TPoint pos, TPoint screenPos, const TRect& screen, int dockSize);

    struct Result {
        std::optional<int> DockSize; // set when an edge was dragged
        int DockTarget = edNone;     // set when the bar was moved near an edge
        TRect Rect;                  // the form's new rectangle
    };
    Result End();

    bool Dragging() const { return m_mode != Mode::None; }
    Mode DragMode() const { return m_mode; }

private:
    Mode m_mode = Mode::None;
    int m_edge = edNone;
    int m_dockTarget = edNone;
    TPoint m_down;
    TRect m_startRect;
    TRect m_dragRect;
};

} // namespace zanpel
