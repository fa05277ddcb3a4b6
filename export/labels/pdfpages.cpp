#include "export/labels/pdfpages.h"

#include <zlib.h>

#include <QDateTime>
#include <QHash>
#include <QIODevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRawFont>
#include <QTextItem>
#include <climits>
#include <cmath>
#include <vector>

namespace labels {

namespace {

constexpr double kPointsPerMm = 72 / 25.4;
// Glyph outlines are taken at this many units to the em; the fonts' matrix
// scales them back.
constexpr int kEm = 1000;
// Codes of a Type 3 font are one byte; 0 is left unused.
constexpr int kCodesPerFont = 255;

// Appends a number with at most three decimals: a page holds thousands, and
// a general formatter costs more than the rest of the page.
void appendNumber(QByteArray& out, double value) {
  long long units = std::llround(value * 1000);
  if (units < 0) {
    out.append('-');
    units = -units;
  }
  char digits[32];
  char* end = digits + sizeof digits;
  char* p = end;
  int fraction = static_cast<int>(units % 1000);
  long long whole = units / 1000;
  if (fraction != 0) {
    int places = 3;
    while (fraction % 10 == 0) {
      fraction /= 10;
      --places;
    }
    for (int i = 0; i < places; ++i, fraction /= 10) *--p = static_cast<char>('0' + fraction % 10);
    *--p = '.';
  }
  do {
    *--p = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  out.append(p, end - p);
}

void appendNumbers(QByteArray& out, std::initializer_list<double> values, const char* op) {
  for (const double value : values) {
    appendNumber(out, value);
    out.append(' ');
  }
  out.append(op);
  out.append('\n');
}

void appendPath(QByteArray& out, const QPainterPath& path, double flipY) {
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        appendNumbers(out, {e.x, flipY * e.y}, "m");
        break;
      case QPainterPath::LineToElement:
        appendNumbers(out, {e.x, flipY * e.y}, "l");
        break;
      case QPainterPath::CurveToElement: {
        const QPainterPath::Element c2 = path.elementAt(i + 1);
        const QPainterPath::Element end = path.elementAt(i + 2);
        appendNumbers(out, {e.x, flipY * e.y, c2.x, flipY * c2.y, end.x, flipY * end.y}, "c");
        i += 2;
        break;
      }
      case QPainterPath::CurveToDataElement:
        break;
    }
  }
}

QByteArray deflated(const QByteArray& bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                reinterpret_cast<const Bytef*>(bytes.constData()), static_cast<uLong>(bytes.size()),
                6) != Z_OK)
    return {};
  out.resize(static_cast<qsizetype>(size));
  return out;
}

QByteArray hex(uint value, int digits) {
  return QByteArray::number(value, 16).rightJustified(digits, '0').toUpper();
}

QByteArray pdfString(const QString& text) {
  QByteArray out = "(";
  for (const char c : text.toLatin1()) {
    if (c == '(' || c == ')' || c == '\\') out.append('\\');
    out.append(c);
  }
  return out + ")";
}

// The glyphs the document has used, in Type 3 fonts of 255 codes each.
struct Glyph {
  int font = 0;  // the document's font number (/F0, /F1, ...)
  int code = 0;
};
struct Type3Font {
  int number = 0;
  std::vector<QByteArray> procs;  // by code - 1
  std::vector<double> widths;
  std::vector<QString> unicode;
  QRectF box;
};
struct FontGlyphs {
  QRawFont outlines;  // at kEm pixels
  QHash<quint32, Glyph> glyphs;
};

}  // namespace

class PdfEngine : public QPaintEngine {
 public:
  PdfEngine(QIODevice& out, int dpi, const QString& creator)
      : QPaintEngine(QPaintEngine::AllFeatures), m_out(out), m_dpi(dpi), m_creator(creator) {
    m_offsets.assign(kFirstFree, 0);
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
  }

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& state) override {
    const QPaintEngine::DirtyFlags dirty = state.state();
    if (dirty & DirtyTransform) m_transform = state.transform();
    if (dirty & DirtyBrush) m_brush = state.brush();
    if (dirty & DirtyPen) m_pen = state.pen();
  }

  void drawRects(const QRectF* rects, int count) override {
    if (!fillWith(m_brush)) return;
    for (int i = 0; i < count; ++i) {
      const QRectF r = m_transform.mapRect(rects[i]);
      appendNumbers(m_content, {r.x(), r.y(), r.width(), r.height()}, "re");
    }
    m_content.append("f\n");
  }
  void drawRects(const QRect* rects, int count) override {
    for (int i = 0; i < count; ++i) {
      const QRectF rect(rects[i]);
      drawRects(&rect, 1);
    }
  }

  void drawPath(const QPainterPath& path) override {
    if (!fillWith(m_brush)) return;
    appendPath(m_content, m_transform.map(path), 1);
    m_content.append(path.fillRule() == Qt::OddEvenFill ? "f*\n" : "f\n");
  }

  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    if (mode == PolylineMode || count < 3) return;  // strokes are not drawn here
    QPainterPath path;
    path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
    path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
    drawPath(path);
  }

  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

  void drawTextItem(const QPointF& at, const QTextItem& item) override {
    const QString text = item.text();
    if (text.isEmpty() || m_pen.style() == Qt::NoPen) return;
    const QFont font = item.font();
    const double pixels =
        (font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * m_dpi / 72.0) *
        m_transform.m11();
    FontGlyphs& family = fontOf(font);
    QList<quint32> indexes;
    QList<QString> characters;
    for (const char32_t c : text.toStdU32String()) {
      const QString one = QString::fromUcs4(&c, 1);
      indexes << family.outlines.glyphIndexesForString(one).value(0);
      characters << one;
    }
    const QList<QPointF> advances =
        family.outlines.advancesForGlyphIndexes(indexes, QRawFont::KernedAdvances);
    setFill(m_pen.color());
    m_content.append("BT\n");
    QPointF pen = m_transform.map(at);
    int currentFont = -1;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
      const Glyph glyph = glyphOf(family, indexes[i], characters[i]);
      if (glyph.font != currentFont) {
        currentFont = glyph.font;
        m_content.append("/F" + QByteArray::number(glyph.font) + " 1 Tf\n");
      }
      appendNumbers(m_content, {pixels, 0, 0, -pixels, pen.x(), pen.y()}, "Tm");
      m_content.append("<" + hex(static_cast<uint>(glyph.code), 2) + "> Tj\n");
      pen.rx() += advances.value(i).x() * pixels / kEm;
    }
    m_content.append("ET\n");
  }

  void newPage(double widthMm, double heightMm) {
    endPage();
    m_pageOpen = true;
    m_pageWidth = widthMm;
    m_pageHeight = heightMm;
    m_fill = QColor();
    m_content.clear();
    // Device units are dots with y down, as the painter has them.
    const double scale = 72.0 / m_dpi;
    m_content.append("q\n");
    appendNumbers(m_content, {scale, 0, 0, -scale, 0, heightMm * kPointsPerMm}, "cm");
  }

  bool finish() {
    endPage();
    writeFonts();
    startObject(kResources);
    QByteArray fonts;
    for (const Type3Font& font : m_fonts)
      fonts += "/F" + QByteArray::number(font.number) + " " + ref(font.number + m_fontBase);
    write("<< /ProcSet [/PDF /Text] /Font << " + fonts + ">> >>\nendobj\n");
    startObject(kPages);
    QByteArray kids;
    for (const int page : m_pages) kids += ref(page);
    write("<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(m_pages.size()) +
          " >>\nendobj\n");
    startObject(kCatalog);
    write("<< /Type /Catalog /Pages " + ref(kPages) + ">>\nendobj\n");
    startObject(kInfo);
    write("<< /Creator " + pdfString(m_creator) + " /Producer " + pdfString(m_creator) +
          " /CreationDate " +
          pdfString(
              QDateTime::currentDateTimeUtc().toString(QStringLiteral("'D:'yyyyMMddHHmmss'Z'"))) +
          " >>\nendobj\n");
    const qint64 xref = m_position;
    QByteArray table =
        "xref\n0 " + QByteArray::number(m_offsets.size()) + "\n0000000000 65535 f \n";
    for (std::size_t i = 1; i < m_offsets.size(); ++i)
      table += QByteArray::number(m_offsets[i]).rightJustified(10, '0') + " 00000 n \n";
    write(table);
    write("trailer\n<< /Size " + QByteArray::number(m_offsets.size()) + " /Root " + ref(kCatalog) +
          "/Info " + ref(kInfo) + ">>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n");
    return m_error.isEmpty();
  }

  QString errorString() const { return m_error; }
  int pageCount() const { return static_cast<int>(m_pages.size()); }
  int dpi() const { return m_dpi; }
  double pageWidthMm() const { return m_pageWidth; }
  double pageHeightMm() const { return m_pageHeight; }

 private:
  // Objects known from the start; the rest are numbered as they are written.
  static constexpr int kCatalog = 1, kPages = 2, kResources = 3, kInfo = 4, kFirstFree = 5;

  static QByteArray ref(int object) { return QByteArray::number(object) + " 0 R "; }

  void write(const QByteArray& bytes) {
    if (!m_error.isEmpty()) return;
    if (m_out.write(bytes) != bytes.size()) {
      m_error = m_out.errorString();
      return;
    }
    m_position += bytes.size();
  }
  int newObject() {
    m_offsets.push_back(m_position);
    const int object = static_cast<int>(m_offsets.size()) - 1;
    write(QByteArray::number(object) + " 0 obj\n");
    return object;
  }
  void startObject(int object) {
    m_offsets[static_cast<std::size_t>(object)] = m_position;
    write(QByteArray::number(object) + " 0 obj\n");
  }
  void writeStream(const QByteArray& bytes, bool compress) {
    const QByteArray body = compress ? deflated(bytes) : bytes;
    write("<< /Length " + QByteArray::number(body.size()) +
          (compress ? " /Filter /FlateDecode" : "") + " >>\nstream\n");
    write(body);
    write("\nendstream\nendobj\n");
  }

  void endPage() {
    if (!m_pageOpen) return;
    m_pageOpen = false;
    m_content.append("Q\n");
    const int contents = newObject();
    writeStream(m_content, true);
    const int page = newObject();
    QByteArray box;
    appendNumbers(box, {0, 0, m_pageWidth * kPointsPerMm, m_pageHeight * kPointsPerMm}, "");
    box.chop(2);
    write("<< /Type /Page /Parent " + ref(kPages) + "/MediaBox [" + box + "] /Resources " +
          ref(kResources) + "/Contents " + ref(contents) + ">>\nendobj\n");
    m_pages.push_back(page);
  }

  bool fillWith(const QBrush& brush) {
    if (brush.style() == Qt::NoBrush) return false;
    setFill(brush.color());
    return true;
  }
  void setFill(const QColor& colour) {
    if (colour == m_fill) return;
    m_fill = colour;
    appendNumbers(m_content, {colour.redF(), colour.greenF(), colour.blueF()}, "rg");
  }

  FontGlyphs& fontOf(const QFont& font) {
    const QString key = font.family() + QLatin1Char('/') + font.styleName() + QLatin1Char('/') +
                        QString::number(font.weight()) + (font.italic() ? "i" : "");
    auto found = m_families.find(key);
    if (found == m_families.end()) {
      QFont exact(font);
      exact.setPixelSize(kEm);
      exact.setHintingPreference(QFont::PreferNoHinting);
      FontGlyphs glyphs;
      glyphs.outlines = QRawFont::fromFont(exact);
      glyphs.outlines.setPixelSize(kEm);
      found = m_families.insert(key, glyphs);
    }
    return *found;
  }

  Glyph glyphOf(FontGlyphs& family, quint32 index, const QString& character) {
    if (const auto found = family.glyphs.constFind(index); found != family.glyphs.constEnd())
      return *found;
    // A glyph's procedure is its own outline, so families can share a font.
    if (m_fonts.empty() || m_fonts.back().procs.size() >= kCodesPerFont)
      m_fonts.push_back({static_cast<int>(m_fonts.size()), {}, {}, {}, {}});
    Type3Font& font = m_fonts.back();
    const QPainterPath path = family.outlines.pathForGlyph(index);
    const double advance =
        family.outlines.advancesForGlyphIndexes(QList<quint32>{index}).value(0).x();
    // Glyph space has y up.
    const QRectF bounds = path.boundingRect();
    const QRectF box(bounds.x(), -bounds.bottom(), bounds.width(), bounds.height());
    QByteArray proc;
    appendNumbers(proc,
                  {advance, 0, std::floor(box.left()), std::floor(box.top()),
                   std::ceil(box.right()), std::ceil(box.bottom())},
                  "d1");
    appendPath(proc, path, -1);
    proc.append("f\n");
    font.procs.push_back(proc);
    font.widths.push_back(advance);
    font.unicode.push_back(character);
    font.box = font.box.isNull() ? box : font.box.united(box);
    const Glyph glyph{font.number, static_cast<int>(font.procs.size())};
    family.glyphs.insert(index, glyph);
    return glyph;
  }

  void writeFonts() {
    m_fontBase = static_cast<int>(m_offsets.size());
    // Each font's object number is m_fontBase + its number; its parts follow after all fonts.
    for (std::size_t i = 0; i < m_fonts.size(); ++i) m_offsets.push_back(0);
    for (const Type3Font& font : m_fonts) {
      std::vector<int> procs;
      for (const QByteArray& proc : font.procs) {
        procs.push_back(newObject());
        writeStream(proc, false);
      }
      QByteArray map;
      for (std::size_t i = 0; i < font.unicode.size(); ++i) {
        QByteArray utf16;
        for (const QChar unit : font.unicode[i]) utf16 += hex(unit.unicode(), 4);
        if (i % 100 == 0) {
          const std::size_t left = std::min<std::size_t>(100, font.unicode.size() - i);
          if (i > 0) map += "endbfchar\n";
          map += QByteArray::number(left) + " beginbfchar\n";
        }
        map += "<" + hex(static_cast<uint>(i + 1), 2) + "> <" + utf16 + ">\n";
      }
      if (!font.unicode.empty()) map += "endbfchar\n";
      const int toUnicode = newObject();
      writeStream(
          "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
          "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
          "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
          "1 begincodespacerange\n<00> <FF>\nendcodespacerange\n" +
              map + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n",
          true);
      QByteArray names, procRefs, widths;
      for (std::size_t i = 0; i < procs.size(); ++i) {
        const QByteArray name = "/g" + QByteArray::number(i + 1);
        names += name + " ";
        procRefs += name + " " + ref(procs[i]);
        appendNumber(widths, font.widths[i]);
        widths += ' ';
      }
      startObject(m_fontBase + font.number);
      QByteArray box;
      appendNumbers(box,
                    {std::floor(font.box.left()), std::floor(font.box.top()),
                     std::ceil(font.box.right()), std::ceil(font.box.bottom())},
                    "");
      box.chop(2);
      write("<< /Type /Font /Subtype /Type3 /FontBBox [" + box +
            "] /FontMatrix [0.001 0 0 0.001 0 0] /Resources << >> /CharProcs << " + procRefs +
            ">> /Encoding << /Type /Encoding /Differences [1 " + names + "] >> /FirstChar 1 " +
            "/LastChar " + QByteArray::number(procs.size()) + " /Widths [" + widths +
            "] /ToUnicode " + ref(toUnicode) + ">>\nendobj\n");
    }
  }

  QIODevice& m_out;
  int m_dpi;
  QString m_creator;
  QString m_error;
  qint64 m_position = 0;
  std::vector<qint64> m_offsets;  // by object number; 0 is the free list's head
  std::vector<int> m_pages;
  bool m_pageOpen = false;
  double m_pageWidth = 0, m_pageHeight = 0;
  QByteArray m_content;
  QColor m_fill;
  QTransform m_transform;
  QBrush m_brush;
  QPen m_pen;
  QHash<QString, FontGlyphs> m_families;
  std::vector<Type3Font> m_fonts;
  int m_fontBase = 0;
};

PdfPages::PdfPages(QIODevice& out, int dpi, const QString& creator)
    : m_engine(std::make_unique<PdfEngine>(out, dpi, creator)) {}

PdfPages::~PdfPages() = default;

void PdfPages::newPage(double widthMm, double heightMm) { m_engine->newPage(widthMm, heightMm); }

bool PdfPages::finish() { return m_engine->finish(); }

QString PdfPages::errorString() const { return m_engine->errorString(); }

int PdfPages::pageCount() const { return m_engine->pageCount(); }

QPaintEngine* PdfPages::paintEngine() const { return m_engine.get(); }

int PdfPages::metric(PaintDeviceMetric metric) const {
  const double dotsPerMm = m_engine->dpi() / 25.4;
  switch (metric) {
    case PdmWidth:
      return static_cast<int>(std::lround(m_engine->pageWidthMm() * dotsPerMm));
    case PdmHeight:
      return static_cast<int>(std::lround(m_engine->pageHeightMm() * dotsPerMm));
    case PdmWidthMM:
      return static_cast<int>(std::lround(m_engine->pageWidthMm()));
    case PdmHeightMM:
      return static_cast<int>(std::lround(m_engine->pageHeightMm()));
    case PdmNumColors:
      return INT_MAX;
    case PdmDepth:
      return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
      return m_engine->dpi();
    case PdmDevicePixelRatio:
      return 1;
    case PdmDevicePixelRatioScaled:
      return static_cast<int>(devicePixelRatioFScale());
    default:
      break;
  }
  return QPaintDevice::metric(metric);
}

}  // namespace labels
