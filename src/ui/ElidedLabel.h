#pragma once
#include <QLabel>
#include <string>

// A one-line label for stored texts (company names, addresses): a text longer
// than the label is drawn cut with "…" and shown whole as the tooltip. Its size
// hints do not follow the text, so a 255-character name never widens a window.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void SetLabelText(const std::string& text);
    // Hides QLabel::setText so the tooltip follows every text given.
    void setText(const QString& text);

    // The text as it is drawn at the current width.
    QString ElidedText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // Where the text is drawn: the contents less the label's margin.
    QRect TextRect() const;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateToolTip();
};

// A tooltip that shows `text` as it is, even when it looks like markup
// ("SC <B> SRL" must not turn bold).
QString PlainToolTip(const QString& text);
