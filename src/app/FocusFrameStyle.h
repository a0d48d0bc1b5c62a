#pragma once

#include <QCommonStyle>
#include <QProxyStyle>

namespace velmora::app {

// The application's style with a focus rectangle on push buttons that can be
// seen: some styles draw it faintly, or only after a key moved the focus. A
// button with the focus gets the plain style's rectangle, in a colour that
// stands out from the button.
class FocusFrameStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit FocusFrameStyle(const QString& baseStyleKey);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

private:
    QCommonStyle plain_;
};

} // namespace velmora::app
