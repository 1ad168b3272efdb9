#pragma once

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <memory>
#include <optional>

#include "pictures/qpainter_surface.h"
#include "solutions/picture_sink.h"

// One PNG file per solution in a folder, `width` pixels wide, drawn as the window draws.
class PngFolderSink : public PictureSink {
  public:
    PngFolderSink(QString folder, int width) : m_strFolder(std::move(folder)), m_nWidth(width) {}

    bool start(std::int64_t pictures, std::int64_t solutionsInFile, const Board& board) override;
    Rect pictureArea() const override;
    int pictureWidth() const override { return m_nWidth; }
    DrawingSurface* beginPicture(std::int64_t number, const Rect& size) override;
    bool endPicture() override;
    bool finish() override { return true; }
    void abandon() override;

  private:
    QString m_strFolder;
    int m_nWidth;
    std::int64_t m_nSolutionsInFile = 0;
    std::int64_t m_nNumber = 0;
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
    std::optional<QPainterSurface> m_surface;
};

struct SheetSettings {
    int perPage = 12;
    bool letterPaper = false;  // else A4
    bool landscape = false;
};

// Where the pictures of a sheet go on a page of `pageWidth` by `pageHeight` pixels (from the page's
// printable top left): a grid of columns and rows, each cell a picture with its number in a band below.
struct SheetLayout {
    int columns = 1;
    int rows = 1;
    int cellWidth = 0;
    int cellHeight = 0;  // the picture's part, without the band of the number
    int numberBand = 0;
    // The grid whose cells give the Board's triangles the largest side.
    static SheetLayout choose(int pageWidth, int pageHeight, int perPage, int numberBand, const Board& board);
};

// A PDF sheet: the solutions in a grid, many to a page, each with its number under it, on A4 or
// Letter, portrait or landscape, as many pages as needed. Written through a QSaveFile: the file
// appears under its name only when it is complete.
class PdfSheetSink : public PictureSink {
  public:
    PdfSheetSink(QString path, SheetSettings settings) : m_strPath(std::move(path)), m_settings(settings) {}
    ~PdfSheetSink() override;

    bool start(std::int64_t pictures, std::int64_t solutionsInFile, const Board& board) override;
    Rect pictureArea() const override { return Rect{0, 0, m_layout.cellWidth, m_layout.cellHeight}; }
    DrawingSurface* beginPicture(std::int64_t number, const Rect& size) override;
    bool endPicture() override;
    bool finish() override;
    void abandon() override;

    const SheetLayout& layout() const { return m_layout; }
    // Where the picture at `place` (from 0) of a page goes, from the printable area's top left, and
    // that area's top left on the page, in the sheet's pixels.
    Point pictureOrigin(int place, const Rect& size) const;
    Point printableOrigin() const { return m_printableOrigin; }
    static constexpr int kResolution = 300;  // dots per inch of the sheet's drawing

  private:
    QString m_strPath;
    SheetSettings m_settings;
    SheetLayout m_layout;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    std::optional<QPainterSurface> m_surface;
    std::int64_t m_nIndex = 0;  // pictures placed so far
    std::int64_t m_nNumber = 0;
    Rect m_size;
    Point m_printableOrigin;
    int m_nLeft = 0;
    int m_nTop = 0;
};
