#pragma once

#include <QLabel>

namespace qvmd {

// A label that reports a click, for captions that act as links.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

    // Looks like a link: underlined blue text and a pointing hand.
    void showAsLink();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace qvmd
