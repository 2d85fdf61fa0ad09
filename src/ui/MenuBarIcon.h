#pragma once

#include "core/daemon/DaemonStatus.h"
#include "ui/ZentropeMark.h"

#include <QImage>
#include <functional>
#include <optional>

// The tray icon's two images, drawn from the mark: `active` at full strength
// while the daemon runs, `idle` faint (opacity 0.4) otherwise. Each is a mask
// (black, the shape in its alpha) made the first time it is asked for and
// kept. The application holds one, so each is made once per process.
class MenuBarIcon
{
public:
    // In device-independent pixels: the mark's own proportions at 17 high.
    static constexpr QSizeF size{23.017699115044245, 17};
    static constexpr qreal scale = 2.0;

    // Draws the mark at an opacity into an image; the default draws ours.
    using Renderer = std::function<QImage(const ZentropeMark& mark, qreal opacity)>;

    MenuBarIcon();
    explicit MenuBarIcon(Renderer renderer);

    const QImage& active();
    const QImage& idle();
    // `active` while `status` is running, else `idle`.
    const QImage& forStatus(const DaemonStatus& status);
    // The mark the images are drawn from, for whatever else shows it.
    const ZentropeMark& mark() const { return m_mark; }

    // The mark at `opacity` as a mask image: ARGB32 premultiplied, device
    // pixel ratio 2, the 23.02 × 17 frame centred in it.
    static QImage renderMark(const ZentropeMark& mark, qreal opacity);
    // `mask` in `color`, its alpha (and so the opacity) kept. Linux trays
    // colour nothing themselves, so the mark takes the panel's text colour.
    static QImage tinted(const QImage& mask, const QColor& color);

private:
    QImage render(qreal opacity) const;

    ZentropeMark m_mark;
    Renderer m_renderer;
    std::optional<QImage> m_active;
    std::optional<QImage> m_idle;
};
