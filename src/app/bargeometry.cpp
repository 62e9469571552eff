#include "app/bargeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zanpel {

int NearestEdge(int x, int y, int height, int width) {
    const int candidates[4][2] = {{edLeft, std::abs(x)},
                                  {edRight, std::abs(width - x)},
                                  {edTop, std::abs(y)},
                                  {edBottom, std::abs(height - y)}};
    int edge = edNone;
    int nearest = 20;
    for (const auto& [candidate, distance] : candidates) {
        if (distance < nearest) {
            edge = candidate;
            nearest = distance;
        }
    }
    return edge;
}

bool IsVerticalBar(int align) {
    return align == edLeft || align == edRight;
}

bool IsInnerEdge(int align, int edge) {
    switch (align) {
    case edTop:
        return edge == edBottom;
    case edBottom:
        return edge == edTop;
    case edLeft:
        return edge == edRight;
    case edRight:
        return edge == edLeft;
    default:
        return edge != edNone;
    }
}

bool IsMoveEdge(int align, int edge) {
    return align >= edTop && align <= edRight && edge != edNone && !IsInnerEdge(align, edge);
}

DockLayout DockLayoutFor(int align) {
    DockLayout layout;
    if (IsVerticalBar(align))
        return layout;
    layout.ButtonAlign = TButtonAlign::baHorizontal;
    layout.ListAlign = align == edTop ? TListAlign::laBottom : TListAlign::laTop;
    // At the far end, so that the caption and the buttons keep the whole
    // thickness of a thin bar; it still hugs the screen's edge there.
    layout.ToolBarEdge = edRight;
    layout.CaptionEdge = edLeft;
    layout.CaptionTurned = true;
    layout.AppListEdge = edRight;
    return layout;
}

TRect DockedRect(int align, int thickness, const TRect& screen) {
    switch (align) {
    case edTop:
        return {screen.Left, screen.Top, screen.Right, screen.Top + thickness};
    case edBottom:
        return {screen.Left, screen.Bottom - thickness, screen.Right, screen.Bottom};
    case edLeft:
        return {screen.Left, screen.Top, screen.Left + thickness, screen.Bottom};
    default:
        return {screen.Right - thickness, screen.Top, screen.Right, screen.Bottom};
    }
}

namespace {

int Scaled(int value, double factor) {
    return static_cast<int>(std::lround(value * factor));
}

TRect ScaledFrom(const TRect& r, TPoint origin, double factor) {
    return TRect::FromSize(origin.X + Scaled(r.Left - origin.X, factor),
                           origin.Y + Scaled(r.Top - origin.Y, factor), Scaled(r.Width(), factor),
                           Scaled(r.Height(), factor));
}

} // namespace

TRect LogicalFromDevice(const TRect& device, TPoint origin, double factor) {
    return factor > 0 ? ScaledFrom(device, origin, 1 / factor) : device;
}

TRect DeviceFromLogical(const TRect& logical, TPoint origin, double factor) {
    return factor > 0 ? ScaledFrom(logical, origin, factor) : logical;
}

int AppListExtent(int remembered) {
    return remembered == 0 ? 180 : remembered;
}

std::vector<int> ThicknessSteps(int current, int target, int formWidth) {
    std::vector<int> steps;
    target = std::max(target, 0);
    const int shrink = formWidth <= 200 ? 3 : 10;
    int t = current;
    while (t > target) {
        t -= shrink;
        steps.push_back(t);
    }
    while (t < target) {
        t += 3;
        steps.push_back(t);
    }
    return steps;
}

bool TBarDrag::Begin(TPoint down, int formWidth, int formHeight, int align, const TRect& formRect) {
    m_mode = Mode::None;
    m_down = down;
    const int edge = NearestEdge(down.X, down.Y, formHeight, formWidth);
    if (IsInnerEdge(align, edge))
        m_mode = Mode::Resize;
    else if (IsMoveEdge(align, edge))
        m_mode = Mode::Move;
    else
        return false;
    m_edge = edge;
    m_startRect = m_dragRect = formRect;
    m_dockTarget = edNone;
    return true;
}

TRect TBarDrag::Move(TPoint pos, TPoint screenPos, const TRect& screen, int dockSize) {
    if (m_mode == Mode::Move) {
        m_dockTarget = NearestEdge(screenPos.X - screen.Left, screenPos.Y - screen.Top,
                                   screen.Height(), screen.Width());
        m_dragRect =
            m_dockTarget == edNone ? m_startRect : DockedRect(m_dockTarget, dockSize, screen);
    } else if (m_mode == Mode::Resize) {
        const int dx = pos.X - m_down.X;
        const int dy = pos.Y - m_down.Y;
        m_dragRect = m_startRect;
        switch (m_edge) {
        case edTop:
            m_dragRect.Top += dy;
            break;
        case edBottom:
            m_dragRect.Bottom += dy;
            break;
        case edLeft:
            m_dragRect.Left += dx;
            break;
        case edRight:
            m_dragRect.Right += dx;
            break;
        default:
            break;
        }
    }
    return m_dragRect;
}

TBarDrag::Result TBarDrag::End() {
    Result result;
    result.Rect = m_dragRect;
    if (m_mode == Mode::Resize)
        result.DockSize =
            (m_edge == edLeft || m_edge == edRight) ? m_dragRect.Width() : m_dragRect.Height();
    else if (m_mode == Mode::Move)
        result.DockTarget = m_dockTarget;
    m_mode = Mode::None;
    return result;
}

} // namespace zanpel
