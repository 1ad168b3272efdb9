// Pictures of solutions as a viewer sees them: the SVG rendered by rsvg-convert and the PDF sheet
// rendered by pdftoppm, compared with the window's own drawing of the same solution at the cell centres.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "board/document_image.h"
#include "pictures/qpainter_surface.h"
#include "pictures/qt_picture_sinks.h"
#include "solutions/picture_files.h"
#include "tests/view/view_fixture.h"
#include "view/picture_export.h"

namespace {

// 24 open cells, 48 solutions.
const std::string kBoard = testsupport::examplesDir() + "/tetriamonds-x2-hexagon.trz";

int run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

// The example, searched by trianzoid-solve into a fresh folder, and opened as the window opens it.
struct Solved : testsupport::ViewFixture {
    Solved() {
        EXPECT_EQ(run(std::string(TRIANZOID_SOLVE_EXE) + " --quiet --output-dir " + dir.path().string() +
                      " " + kBoard),
                  0);
        EXPECT_TRUE(loadDocumentImage(doc, testsupport::readBytes(kBoard)));
        doc.reloadPieceFile(kBoard, platform);
        view.m_szSolutionName = solutionFilePath(dir.path().string(), doc.rowLength(), doc.m_nHeight, "opb");
        view.m_state.solutionCount = 48;
    }
    // What the window shows of solution `k` (from 0) in a client area of `size`.
    QImage screen(int k, bool colour, QSize size) {
        view.ViewMode = kShowingSolutions;
        view.m_bColourSolutions = colour;
        view.m_nCurrentSolution = k;
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        QPainterSurface surface(painter, false);
        view.OnDraw(surface, Rect{0, 0, size.width(), size.height()});
        return image;
    }
    // The centres of the Board's cells that are not blocked, at a geometry; with `corners`, also three
    // points a quarter of the way from each corner to the centre, which a drawing a pixel off misses.
    std::vector<std::pair<QPoint, QPointF>> cellCentres(const CellGeometry& geometry, bool corners = false) {
        std::vector<std::pair<QPoint, QPointF>> centres;
        for (int col = 0; col < doc.rowLength(); ++col)
            for (int row = 0; row < doc.m_nHeight; ++row) {
                if (doc.cell(col, row) > kOpenCell) continue;
                const auto v = CellVertices(geometry, doc.m_nMargin, col, row);
                const QPointF centre((v[0].x + v[1].x + v[2].x) / 3.0, (v[0].y + v[1].y + v[2].y) / 3.0);
                centres.push_back({QPoint(col, row), centre});
                for (int i = 0; corners && i < 3; ++i)
                    centres.push_back({QPoint(col, row), QPointF(v[i].x, v[i].y) * 0.75 + centre * 0.25});
            }
        return centres;
    }
};

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
           std::abs(qBlue(a) - qBlue(b)) <= 2;
}

}  // namespace

TEST(PicturesAsTheWindowDrawsThem, SvgRendersToTheScreensPixelsAtEveryCellCentre) {
    Solved f;
    const std::string svg = f.file("svg");
    ASSERT_EQ(run(std::string(TRIANZOID_SOLVE_EXE) + " --export svg --solutions 1,48 --size 437 --to " + svg +
                  " --output-dir " + f.dir.path().string() + " " + kBoard),
              0);
    ASSERT_EQ(run(std::string(TRIANZOID_EXPORT_EXE) + " --export svg --black-white --solutions 2 --to " +
                  svg + "/zw --output-dir " + f.dir.path().string() + " " + kBoard),
              0);
    for (const auto& [name, k, colour] :
         {std::tuple{"/oplossing-001", 0, true}, std::tuple{"/oplossing-048", 47, true},
          std::tuple{"/zw/oplossing-002", 1, false}}) {
        const std::string file = svg + name;
        ASSERT_EQ(run("xmllint --noout " + file + ".svg"), 0) << name;
        ASSERT_EQ(run("rsvg-convert -o " + file + ".png " + file + ".svg"), 0) << name;
        const QImage rendered =
            QImage(QString::fromStdString(file + ".png")).convertToFormat(QImage::Format_RGB32);
        const QImage window = f.screen(k, colour, rendered.size());
        int covered = 0;
        for (const auto& [cell, centre] : f.cellCentres(f.view.m_geometry, true)) {
            const QPoint at = centre.toPoint();
            EXPECT_TRUE(near(rendered.pixel(at), window.pixel(at)))
                << name << " cell " << cell.x() << "," << cell.y();
            covered += window.pixel(at) !=
                       qRgb(f.doc.m_crBackground.r, f.doc.m_crBackground.g, f.doc.m_crBackground.b);
        }
        EXPECT_EQ(covered, 4 * 24)
            << name;  // every open cell drawn in a piece's colour (white in black and white)
    }
}

TEST(PicturesAsTheWindowDrawsThem, PdfSheetHoldsTheGridWithTheWindowsColours) {
    Solved f;
    const std::string pdf = f.file("blad.pdf");
    ASSERT_EQ(run(std::string(TRIANZOID_EXPORT_EXE) + " --export pdf --per-page 20 --landscape --to " + pdf +
                  " --output-dir " + f.dir.path().string() + " " + kBoard),
              0);
    ASSERT_EQ(run("pdftoppm -r 100 -png " + pdf + " " + f.file("blad")), 0);
    ASSERT_TRUE(std::filesystem::exists(f.file("blad-3.png")));
    EXPECT_FALSE(std::filesystem::exists(f.file("blad-4.png")));  // 48 solutions, 20 to a page

    // The sheet's layout, as the export lays it out.
    PdfSheetSink layout(QString::fromStdString(f.file("maat.pdf")), SheetSettings{20, false, true});
    ASSERT_TRUE(layout.start(48, 48, f.doc));
    const CellGeometry geometry =
        cellSizeFor(layout.pictureArea(), f.doc.m_nWidth, f.doc.m_nHeight, f.doc.m_nMargin);
    const Rect extent = pictureExtent(f.doc, geometry);
    layout.abandon();
    const double scale = 100.0 / PdfSheetSink::kResolution;

    const QImage window = f.screen(0, true, QSize(600, 600));
    const auto windowCentres = f.cellCentres(f.view.m_geometry);
    for (int page = 0; page < 3; ++page) {
        const QImage sheet =
            QImage(QString::fromStdString(f.file("blad-" + std::to_string(page + 1) + ".png")));
        int pictures = 0;
        for (int place = 0; place < 20; ++place) {
            const Point origin = layout.pictureOrigin(place, extent);
            int coloured = 0;
            for (const auto& [cell, centre] : f.cellCentres(geometry)) {
                const QPointF at =
                    (QPointF(layout.printableOrigin().x + origin.x, layout.printableOrigin().y + origin.y) +
                     centre) *
                    scale;
                coloured += sheet.pixel(at.toPoint()) != qRgb(255, 255, 255);
                if (page == 0 && place == 0) {  // solution 1: the window's colour in every cell
                    const auto mine = std::find_if(windowCentres.begin(), windowCentres.end(),
                                                   [&](const auto& c) { return c.first == cell; });
                    EXPECT_TRUE(near(sheet.pixel(at.toPoint()), window.pixel(mine->second.toPoint())))
                        << cell.x() << "," << cell.y();
                }
            }
            EXPECT_TRUE(coloured == 0 || coloured == 24) << "page " << page + 1 << " place " << place;
            pictures += coloured == 24;
        }
        EXPECT_EQ(pictures, page < 2 ? 20 : 8) << "page " << page + 1;
    }
}
