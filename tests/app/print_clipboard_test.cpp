// The view's drawing on a printed page (to a PDF file) and on the clipboard (SVG and PNG).
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPrinter>

#include "app/view_widget.h"
#include "tests/app/gui_test_support.h"
#include "view/command_ids.h"

namespace {

class PrintAndClipboard : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    guitest::WindowFixture fixture;
};

TEST_F(PrintAndClipboard, PrintsToAPdfFileAtThePagesCellSize) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.file("veld.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    ASSERT_TRUE(fixture.window().printPage(printer));

    const auto bytes = testsupport::readBytes(dir.file("veld.pdf"));
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "%PDF-");
    // The page rectangle in the printer's pixels decides the cell size: by width (W - margin) / 8.
    const Rect page = fixture.view().m_rectPrint;
    EXPECT_EQ(page.left, 0);
    EXPECT_EQ(page.width(), printer.width());
    EXPECT_GT(fixture.view().m_geometry.m_nSide, 500);
    EXPECT_EQ(fixture.view().m_geometry.m_nSide % 2, 0);
    // The screen gets its own cell size back with the next repaint.
    EXPECT_TRUE(fixture.window().viewWidget()->redrawPending());
    fixture.window().viewWidget()->redrawNow();
    EXPECT_EQ(fixture.view().m_geometry.m_nSide, 64);
}

TEST_F(PrintAndClipboard, ClipboardHoldsTheDrawingAsSvgAndPng) {
    fixture.window().dispatch(Cmd::FillGrey + 1);
    fixture.click(0, 0);
    QApplication::clipboard()->clear();
    fixture.window().dispatch(Cmd::BoardToClipboard);
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    ASSERT_TRUE(mime->hasFormat("image/svg+xml"));
    const QByteArray svg = mime->data("image/svg+xml");
    EXPECT_TRUE(svg.contains("<svg")) << svg.left(200).toStdString();
    EXPECT_TRUE(svg.contains("#ff0000"));  // the red cell
    EXPECT_TRUE(svg.contains("#aec4b0"));  // the background
    ASSERT_TRUE(mime->hasImage());
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(image.pixelColor(fixture.cellCentre(0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(fixture.cellCentre(1, 0)), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(620, 460), QColor(174, 196, 176));
}

}  // namespace
