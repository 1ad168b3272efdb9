#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "pictures/qpainter_surface.h"

class CTrianzoidView;
class QMenu;

// The window of the main view. It keeps the picture in a backing image: the core draws into it both
// through its repaint (OnDraw) and directly, cell by cell, while it edits, searches or pages through
// solutions; the widget only shows the image. A full repaint (OnDraw) runs after invalidate() and after
// a change of size, from the event loop, never inside a paint event, so that a message box raised by
// the drawing cannot nest in painting.
class ViewWidget : public QWidget {
    Q_OBJECT
  public:
    ViewWidget(CTrianzoidView& view, QWidget* parent = nullptr);
    ~ViewWidget() override;

    // Drawing that shows at once, outside the repaint.
    DrawingSurface& clientSurface() { return m_surface; }
    // A full repaint, background included, when events are next handled.
    void invalidate();
    // Carries out a pending full repaint now.
    void redrawNow();
    bool redrawPending() const { return m_bDirty; }

    // The picture as shown (the backing image).
    QImage picture();

    // The popups of the editing and searching modes and of the solution display.
    void setContextMenus(QMenu* editingMenu, QMenu* solutionsMenu);
    // The popup the view shows in its current mode, or nullptr (interrupt requested).
    QMenu* contextMenuForMode() const;
    // Where the keyboard's context-menu key opens the popup: 5 pixels right of and below the corner.
    QPoint keyboardMenuPosition() const { return mapToGlobal(QPoint(5, 5)); }

  signals:
    // A mouse edit may have changed the Board and the document's modified flag.
    void edited();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // Paints on the backing image; opens its painter at the first drawing and asks for an update.
    class ImageSurface : public QPainterSurface {
      public:
        explicit ImageSurface(ViewWidget& owner) : QPainterSurface(false), m_owner(owner) {}
        void end();

      protected:
        QPainter& painter() override;

      private:
        ViewWidget& m_owner;
        std::optional<QPainter> m_painter;
    };

    void scheduleRedraw();
    // A backing image of the widget's size; a new one starts white until the repaint fills it.
    void ensureImage();
    void popupAt(QPoint globalPos);

    CTrianzoidView& m_view;
    QImage m_image;
    ImageSurface m_surface{*this};
    bool m_bDirty = true;
    bool m_bRedrawQueued = false;
    QMenu* m_pEditingMenu = nullptr;
    QMenu* m_pSolutionsMenu = nullptr;
};
