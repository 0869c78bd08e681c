// Renders the user manual to PDF at build time: the Markdown chapters of
// docs/manual (in file-name order, each from a new page, the contents after
// the first one's opening paragraphs) through Qt's own
// Markdown reader and PDF writer, so the manual needs nothing beyond Qt.
//
//   tankora_manual_pdf <docs/manual> <Manual.pdf>
//
// Runs without a display (QT_QPA_PLATFORM=offscreen, set by the build).
#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>
#include <cstdio>

namespace {

// Page geometry in millimetres: A4 with room for the page number below.
constexpr double kMarginSide = 20, kMarginTop = 18, kMarginBottom = 22;
constexpr double kFooterGap = 8;  // page number this far below the text area
// Screenshots are at most this wide and tall on the page.
constexpr double kImageMaxWidthMm = 165, kImageMaxHeightMm = 100;
// Lengths in a text document (image sizes, margins, borders) are pixels at
// 96 per inch whatever it is drawn on, fonts aside; AA_Use96Dpi makes that
// hold on every platform plugin.
constexpr double kDocDpi = 96;

double MmToDoc(double mm) { return mm / 25.4 * kDocDpi; }

bool Fail(const QString& why) {
  std::fprintf(stderr, "tankora_manual_pdf: %s\n", qPrintable(why));
  return false;
}

// Every chapter, each beginning on a new page, in one document.
bool LoadChapters(const QDir& dir, QTextDocument& doc) {
  const QStringList chapters = dir.entryList({"*.md"}, QDir::Files, QDir::Name);
  if (chapters.isEmpty()) return Fail("no chapters (*.md) in " + dir.path());
  QTextCursor cursor(&doc);
  bool first = true;
  for (const QString& name : chapters) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) return Fail("cannot read " + file.fileName());
    QTextDocument part;
    part.setMarkdown(QString::fromUtf8(file.readAll()));
    if (!first) {
      // A fresh block: one continuing the format of the last block would
      // carry on a list that ended the chapter before.
      cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    }
    const int start = cursor.position();
    cursor.insertFragment(QTextDocumentFragment(&part));
    // The title went into that fresh block and took its format: its own
    // (a heading), breaking the page before it.
    QTextBlockFormat title = part.begin().blockFormat();
    if (!first) title.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(doc.findBlock(start)).setBlockFormat(title);
    first = false;
  }
  return true;
}

// Screenshots fit the page whatever size they were taken at; a missing one
// fails the build rather than leave a hole in the manual.
bool FitImages(const QDir& dir, QTextDocument& doc) {
  const double maxW = MmToDoc(kImageMaxWidthMm), maxH = MmToDoc(kImageMaxHeightMm);
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat image = fragment.charFormat().toImageFormat();
      const QSize size = QImageReader(dir.filePath(image.name())).size();
      if (!size.isValid()) return Fail("missing image " + dir.filePath(image.name()));
      double w = size.width(), h = size.height();
      const double scale = std::min({1.0, maxW / w, maxH / h});
      image.setWidth(w * scale);
      image.setHeight(h * scale);
      QTextCursor select(&doc);
      select.setPosition(fragment.position());
      select.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      select.setCharFormat(image);
    }
  }
  return true;
}

// Tables (the key lists) get thin ruled cells; `pxPerMm` document pixels
// make a millimetre.
void RuleTables(QTextFrame* frame, double pxPerMm) {
  for (QTextFrame* child : frame->childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(child)) {
      QTextTableFormat format = table->format();
      format.setBorder(1);  // a quarter millimetre; thinner ones vanish
      format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      format.setBorderBrush(Qt::black);
      format.setBorderCollapse(true);
      format.setCellPadding(1.2 * pxPerMm);
      format.setCellSpacing(0);
      format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
      table->setFormat(format);
    }
    RuleTables(child, pxPerMm);
  }
}

bool IsCode(const QTextBlock& block) {
  if (!block.isValid()) return false;
  const QTextBlockFormat format = block.blockFormat();
  return format.nonBreakableLines() || format.hasProperty(QTextFormat::BlockCodeFence);
}

// Room around headings and between paragraphs, and Japanese lines a little
// apart.
void SpaceBlocks(QTextDocument& doc, double pxPerMm) {
  QTextCursor cursor(&doc);
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    QTextBlockFormat format = block.blockFormat();
    const int level = format.headingLevel();
    if (level == 1) {
      format.setTopMargin(0);
      format.setBottomMargin(5 * pxPerMm);
    } else if (level > 1) {
      format.setTopMargin(5 * pxPerMm);
      format.setBottomMargin(2 * pxPerMm);
    } else if (IsCode(block)) {
      // The lines of a code block are one block each: kept together, with
      // the paragraph's room only after the last.
      format.setBottomMargin(IsCode(block.next()) ? 0 : 1.5 * pxPerMm);
      format.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    } else {
      format.setBottomMargin(1.5 * pxPerMm);
      // Not under a screenshot: its line would be 30 % taller than the picture.
      bool picture = false;
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        picture = picture || it.fragment().charFormat().isImageFormat();
      }
      if (!picture) format.setLineHeight(130, QTextBlockFormat::ProportionalHeight);
    }
    cursor.setPosition(block.position());
    cursor.setBlockFormat(format);
  }
}

// The contents: every chapter and its sections with the page each begins
// on, after the first chapter's opening paragraphs (the manual's title page);
// the first section then begins a new page. The first chapter's title is the
// manual's, so its sections stand at the top level.
constexpr double kContentsIndentMm = 6;  // a section under its chapter
constexpr double kTextWidthMm = 210 - 2 * kMarginSide;

struct Contents {
  struct Entry {
    QTextBlock heading;
    QTextBlock line;  // the contents line its page number goes to
  };
  std::vector<Entry> entries;
};

Contents InsertContents(QTextDocument& doc, double pxPerMm) {
  Contents contents;
  std::vector<std::pair<QTextBlock, bool>> headings;  // block, top level
  QTextBlock firstSection;
  bool firstChapter = true;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    const bool chapter = block != doc.begin() && block.blockFormat().headingLevel() == 1;
    const bool section = block.blockFormat().headingLevel() == 2;
    if (chapter) firstChapter = false;
    if (section && !firstSection.isValid()) firstSection = block;
    if (chapter || section) headings.emplace_back(block, chapter || firstChapter);
  }
  if (!firstSection.isValid()) return contents;

  QTextCursor cursor(firstSection.previous());
  cursor.movePosition(QTextCursor::EndOfBlock);
  QTextBlockFormat title = firstSection.blockFormat();
  cursor.insertBlock(title, firstSection.begin().fragment().charFormat());
  cursor.insertText(QStringLiteral("目次"));
  for (const auto& [heading, top] : headings) {
    // A section is indented by a tab, not a margin, so that the page
    // numbers of both kinds stand on one right tab, 1 mm inside the text's
    // right edge (a stop on the very edge wraps).
    QTextBlockFormat line;
    line.setTopMargin(top ? 1.5 * pxPerMm : 0);
    line.setLineHeight(120, QTextBlockFormat::ProportionalHeight);
    line.setTabPositions({QTextOption::Tab(kContentsIndentMm * pxPerMm, QTextOption::LeftTab),
                          QTextOption::Tab((kTextWidthMm - 1) * pxPerMm, QTextOption::RightTab)});
    QTextCharFormat text;
    text.setFontWeight(top ? QFont::Bold : QFont::Normal);
    cursor.insertBlock(line, text);
    cursor.insertText((top ? QString() : QStringLiteral("\t")) + heading.text() +
                      QLatin1Char('\t'));
    contents.entries.push_back({heading, cursor.block()});
  }
  QTextBlockFormat breakBefore = firstSection.blockFormat();
  breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  QTextCursor(firstSection).setBlockFormat(breakBefore);
  return contents;
}

int PageOf(QTextDocument& doc, const QTextBlock& block) {
  const double top = doc.documentLayout()->blockBoundingRect(block).top();
  return static_cast<int>(top / doc.pageSize().height()) + 1;
}

// The page numbers into the contents lines, at a right tab on the text's
// right edge; they lengthen no line, so no page moves, which is checked.
bool FillContents(QTextDocument& doc, const Contents& contents) {
  (void)doc.pageCount();  // the whole document laid out
  std::vector<int> pages;
  for (const Contents::Entry& e : contents.entries) pages.push_back(PageOf(doc, e.heading));
  for (std::size_t i = 0; i < pages.size(); ++i) {
    QTextCursor cursor(contents.entries[i].line);
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QString::number(pages[i]));
  }
  (void)doc.pageCount();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (PageOf(doc, contents.entries[i].heading) != pages[i]) {
      return Fail("the page numbers moved the pages of the contents");
    }
  }
  return true;
}

bool Render(const QDir& dir, const QString& output) {
  QTextDocument doc;
  doc.setBaseUrl(QUrl::fromLocalFile(dir.absolutePath() + "/"));
  QFont body("IPAPGothic");
  body.setPointSizeF(10);
  doc.setDefaultFont(body);
  doc.setDefaultStyleSheet("code { font-family: IPAGothic; }");
  if (!LoadChapters(dir, doc) || !FitImages(dir, doc)) return false;
  RuleTables(doc.rootFrame(), MmToDoc(1));
  SpaceBlocks(doc, MmToDoc(1));
  const Contents contents = InsertContents(doc, MmToDoc(1));

  const QString temp = output + ".tmp";
  {
    QPdfWriter writer(temp);
    writer.setTitle(QStringLiteral("タンコラ 操作マニュアル"));
    writer.setCreator(QStringLiteral("タンコラ"));
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(kMarginSide, kMarginTop, kMarginSide, kMarginBottom),
                          QPageLayout::Millimeter);
    // Laid out on the writer itself, so fonts take its resolution; image
    // sizes stay in 96-per-inch pixels, which the layout scales to it.
    const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setDocumentMargin(0);
    doc.setPageSize(QSizeF(page.size()));
    if (!FillContents(doc, contents)) return false;

    QPainter painter;
    if (!painter.begin(&writer)) return Fail("cannot write " + temp);
    QFont footer(body);
    footer.setPointSizeF(9);
    const int pages = doc.pageCount();
    const QSizeF pageSize = doc.pageSize();
    for (int n = 0; n < pages; ++n) {
      if (n > 0) writer.newPage();
      painter.save();
      const QRectF view(0, n * pageSize.height(), pageSize.width(), pageSize.height());
      painter.translate(0, -view.top());
      // A paragraph split by the page is drawn whole on both pages and cut by
      // the clip; viewers rasterise glyphs whole-pixel, so the next page's
      // first line, just below the edge, leaves a grey trace at screen zoom.
      // The clip stops short of it (lines end well above the edge).
      painter.setClipRect(view.adjusted(0, 0, 0, -0.5 / 25.4 * writer.resolution()));
      QAbstractTextDocumentLayout::PaintContext context;
      context.clip = view;
      doc.documentLayout()->draw(&painter, context);
      painter.restore();
      painter.setFont(footer);
      const double gap = kFooterGap / 25.4 * writer.resolution();
      painter.drawText(QRectF(0, page.height() + gap, page.width(), gap * 2),
                       Qt::AlignHCenter | Qt::AlignTop, QString("– %1 –").arg(n + 1));
    }
    if (!painter.end()) return Fail("cannot finish " + temp);
  }
  // Renamed into place only when complete: a failed run leaves no cut-off manual.
  QFile::remove(output);
  if (!QFile::rename(temp, output)) return Fail("cannot rename " + temp + " to " + output);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: tankora_manual_pdf <manual folder> <output.pdf>\n");
    return 2;
  }
  QDir().mkpath(QFileInfo(args[2]).absolutePath());
  return Render(QDir(args[1]), args[2]) ? 0 : 1;
}
