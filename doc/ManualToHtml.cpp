// Turns one chapter of the user manual from Markdown into an HTML page:
//   manual_to_html IN.md OUT.html
// A heading that ends in {#name} becomes an anchor of that name, so the
// program can open the manual at a window's section.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <cstdio>

namespace {

// Moves each heading's "{#name}" into an anchor on the heading's text, and
// leaves some room above the heading.
void NameHeadings(QTextDocument& document) {
    static const QRegularExpression kName(R"(\s*\{#([A-Za-z0-9_-]+)\}\s*$)");
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0) continue;
        QTextBlockFormat spaced = block.blockFormat();
        spaced.setTopMargin(14);
        spaced.setBottomMargin(6);
        QTextCursor(block).setBlockFormat(spaced);
        const auto match = kName.match(block.text());
        if (!match.hasMatch()) continue;
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + match.capturedStart());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorNames({match.captured(1)});
        cursor.mergeCharFormat(anchor);
    }
}

// Quoted lines are the program's messages: bold, with room above each, so
// they stand apart from the explanation after them.
void MarkQuotes(QTextDocument& document) {
    bool previousQuoted = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const bool quoted = block.blockFormat().intProperty(QTextFormat::BlockQuoteLevel) > 0;
        if (quoted) {
            QTextCursor cursor(block);
            QTextBlockFormat spaced = block.blockFormat();
            if (!previousQuoted) spaced.setTopMargin(12);
            cursor.setBlockFormat(spaced);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat bold;
            bold.setFontWeight(QFont::Bold);
            cursor.mergeCharFormat(bold);
        }
        previousQuoted = quoted;
    }
}

// The manual window is narrower than the widest screenshots: a picture wider
// than a page is shown smaller, so the reader never scrolls sideways.
constexpr int kPageWidth = 700;

void FitPictures(QTextDocument& document, const QDir& chapterFolder) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            const QSize size = QImageReader(chapterFolder.filePath(picture.name())).size();
            if (!size.isValid() || size.width() <= kPageWidth) continue;
            picture.setWidth(kPageWidth);
            picture.setHeight(size.height() * kPageWidth / size.width());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    // No display is needed to lay out text.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "folosire: manual_to_html IN.md OUT.html\n");
        return 2;
    }
    QFile in(argv[1]);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: nu poate fi citit\n", argv[1]);
        return 2;
    }
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(in.readAll()));
    NameHeadings(document);
    MarkQuotes(document);
    FitPictures(document, QFileInfo(in).dir());
    // The page's title is its first heading's text.
    document.setMetaInformation(QTextDocument::DocumentTitle, document.begin().text());
    const QString html = document.toHtml();
    QFile out(argv[2]);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(html.toUtf8()) < 0) {
        std::fprintf(stderr, "%s: nu poate fi scris\n", argv[2]);
        return 2;
    }
    return 0;
}
