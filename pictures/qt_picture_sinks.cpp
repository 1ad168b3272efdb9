#include "pictures/qt_picture_sinks.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>

#include "board/board_geometry.h"
#include "solutions/picture_files.h"

namespace {

QString cannotWrite(const QString& path) {
    return QStringLiteral("Bestand %1 kan niet worden geschreven").arg(QDir::toNativeSeparators(path));
}

}  // namespace

bool PngFolderSink::start(std::int64_t, std::int64_t solutionsInFile, const Board&) {
    m_nSolutionsInFile = solutionsInFile;
    if (auto problem = makeTargetFolder(m_strFolder.toStdString())) {
        failure = *problem;
        return false;
    }
    return true;
}

Rect PngFolderSink::pictureArea() const {
    return pictureAreaForWidth(m_nWidth);
}

DrawingSurface* PngFolderSink::beginPicture(std::int64_t number, const Rect& size) {
    m_nNumber = number;
    m_image = QImage(size.width(), size.height(), QImage::Format_RGB32);
    if (m_image.isNull()) {
        failure = "Geen geheugen voor een afbeelding van deze afmeting";
        return nullptr;
    }
    m_painter = std::make_unique<QPainter>(&m_image);
    m_surface.emplace(*m_painter, false);
    return &*m_surface;
}

bool PngFolderSink::endPicture() {
    m_surface.reset();
    m_painter.reset();
    const QString name = QString::fromStdString(pictureFileName(m_nNumber, m_nSolutionsInFile, "png"));
    const QString path = QDir(m_strFolder).filePath(name);
    // Encoded in memory and written as the SVG files are: beside the name, then renamed (QSaveFile
    // would also wait for the disk at every file, which makes a folder of many files slow).
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "png").write(m_image)) {
        failure = cannotWrite(path).toStdString();
        return false;
    }
    if (auto problem = writeFileAtomically(path.toStdString(), bytes.toStdString())) {
        failure = *problem;
        return false;
    }
    return true;
}

void PngFolderSink::abandon() {
    m_surface.reset();
    m_painter.reset();
}

SheetLayout SheetLayout::choose(int pageWidth, int pageHeight, int perPage, int numberBand,
                                const Board& board) {
    SheetLayout best;
    int bestSide = -1;
    for (int columns = 1; columns <= perPage; ++columns) {
        const int rows = (perPage + columns - 1) / columns;
        SheetLayout layout{columns, rows, pageWidth / columns, pageHeight / rows - numberBand, numberBand};
        const Rect area{0, 0, layout.cellWidth - numberBand / 2, layout.cellHeight};
        const int side = cellSizeFor(area, board.m_nWidth, board.m_nHeight, board.m_nMargin).m_nSide;
        if (side > bestSide) {
            best = layout;
            bestSide = side;
        }
    }
    return best;
}

PdfSheetSink::~PdfSheetSink() {
    abandon();
}

bool PdfSheetSink::start(std::int64_t, std::int64_t, const Board& board) {
    m_file = std::make_unique<QSaveFile>(m_strPath);
    if (!m_file->open(QIODevice::WriteOnly)) {
        failure = cannotWrite(m_strPath).toStdString();
        return false;
    }
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    m_writer->setCreator(QStringLiteral("Trianzoid"));
    m_writer->setTitle(QStringLiteral("Oplossingen"));
    m_writer->setResolution(kResolution);
    m_writer->setPageLayout(QPageLayout(QPageSize(m_settings.letterPaper ? QPageSize::Letter : QPageSize::A4),
                                        m_settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                        QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    const QPoint printable = m_writer->pageLayout().paintRectPixels(kResolution).topLeft();
    m_printableOrigin = Point{printable.x(), printable.y()};
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_writer.get())) {
        failure = cannotWrite(m_strPath).toStdString();
        return false;
    }
    QFont font = m_painter->font();
    font.setPixelSize(kResolution / 8);  // 9 points
    m_painter->setFont(font);
    m_layout = SheetLayout::choose(m_writer->width(), m_writer->height(), m_settings.perPage,
                                   m_painter->fontMetrics().height() * 3 / 2, board);
    return true;
}

DrawingSurface* PdfSheetSink::beginPicture(std::int64_t number, const Rect& size) {
    const int perPage = m_layout.columns * m_layout.rows;
    const int place = static_cast<int>(m_nIndex % std::min(perPage, m_settings.perPage));
    if (m_nIndex > 0 && place == 0 && !m_writer->newPage()) {
        failure = cannotWrite(m_strPath).toStdString();
        return nullptr;
    }
    m_nNumber = number;
    m_size = size;
    const Point origin = pictureOrigin(place, size);
    m_nLeft = origin.x;
    m_nTop = origin.y;
    m_painter->save();
    m_painter->translate(m_nLeft, m_nTop);
    m_surface.emplace(*m_painter, false);
    return &*m_surface;
}

Point PdfSheetSink::pictureOrigin(int place, const Rect& size) const {
    return Point{(place % m_layout.columns) * m_layout.cellWidth + (m_layout.cellWidth - size.width()) / 2,
                 (place / m_layout.columns) * (m_layout.cellHeight + m_layout.numberBand) +
                     (m_layout.cellHeight - size.height()) / 2};
}

bool PdfSheetSink::endPicture() {
    m_surface.reset();
    m_painter->restore();
    m_painter->setPen(Qt::black);
    m_painter->drawText(QRect(m_nLeft, m_nTop + m_size.height(), m_size.width(), m_layout.numberBand),
                        Qt::AlignHCenter | Qt::AlignVCenter, QString::number(m_nNumber));
    ++m_nIndex;
    return true;
}

bool PdfSheetSink::finish() {
    m_surface.reset();
    const bool ended = m_painter->end();
    m_painter.reset();
    m_writer.reset();
    if (!ended || !m_file->commit()) {
        failure = cannotWrite(m_strPath).toStdString();
        m_file.reset();
        return false;
    }
    m_file.reset();
    return true;
}

void PdfSheetSink::abandon() {
    m_surface.reset();
    if (m_painter && m_painter->isActive()) m_painter->end();
    m_painter.reset();
    m_writer.reset();
    if (m_file) m_file->cancelWriting();
    m_file.reset();
}
