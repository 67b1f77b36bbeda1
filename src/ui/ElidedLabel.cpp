#include "ui/ElidedLabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QTextDocument>

#include "text/TextCodec.h"

namespace {
// Width a label asks for, in average characters, whatever its text.
constexpr int kHintCharacters = 12;
constexpr int kMinimumCharacters = 4;
}  // namespace

QString PlainToolTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);  // may shrink below the hint
}

void ElidedLabel::SetLabelText(const std::string& text) {
    setText(ToQt(text));
}

void ElidedLabel::setText(const QString& text) {
    QLabel::setText(text);
    UpdateToolTip();
}

QRect ElidedLabel::TextRect() const {
    return contentsRect().adjusted(margin(), 0, -margin(), 0);
}

QString ElidedLabel::ElidedText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, TextRect().width());
}

QSize ElidedLabel::sizeHint() const {
    const QMargins frame = contentsMargins();
    return QSize(fontMetrics().averageCharWidth() * kHintCharacters + 2 * margin() + frame.left() +
                     frame.right(),
                 fontMetrics().height() + 2 * margin() + frame.top() + frame.bottom());
}

QSize ElidedLabel::minimumSizeHint() const {
    const QSize hint = sizeHint();
    const QMargins frame = contentsMargins();
    return QSize(fontMetrics().averageCharWidth() * kMinimumCharacters + 2 * margin() +
                     frame.left() + frame.right(),
                 hint.height());
}

void ElidedLabel::UpdateToolTip() {
    const QString shown = ElidedText();
    setToolTip(shown == text() ? QString() : PlainToolTip(text()));
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, TextRect(), int(alignment()) | Qt::TextSingleLine, palette(),
                          isEnabled(), ElidedText(), foregroundRole());
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    UpdateToolTip();
}

void ElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        UpdateToolTip();
}
