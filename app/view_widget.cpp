#include "app/view_widget.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimer>

#include "view/trianzoid_view.h"

void ViewWidget::ImageSurface::end() {
    m_painter.reset();
}

QPainter& ViewWidget::ImageSurface::painter() {
    if (!m_painter) {
        m_owner.ensureImage();
        m_painter.emplace(&m_owner.m_image);
    }
    m_owner.update();
    return *m_painter;
}

ViewWidget::ViewWidget(CTrianzoidView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(40, 40);
}

ViewWidget::~ViewWidget() {
    m_surface.end();
}

void ViewWidget::invalidate() {
    m_bDirty = true;
    scheduleRedraw();
}

void ViewWidget::scheduleRedraw() {
    if (m_bRedrawQueued) return;
    m_bRedrawQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_bRedrawQueued = false;
        redrawNow();
    });
}

void ViewWidget::redrawNow() {
    if (!m_bDirty) return;
    m_bDirty = false;
    ensureImage();
    m_view.OnDraw(m_surface, Rect{0, 0, width(), height()});
    update();
}

void ViewWidget::ensureImage() {
    if (m_image.size() == size()) return;
    m_surface.end();
    QImage resized(size(), QImage::Format_RGB32);
    resized.fill(Qt::white);
    m_image = resized;
}

QImage ViewWidget::picture() {
    m_surface.end();
    return m_image.copy();
}

void ViewWidget::paintEvent(QPaintEvent* event) {
    m_surface.end();
    QPainter painter(this);
    if (m_image.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    // Whatever the image does not cover yet (a growing window before its repaint) shows white.
    if (!m_image.rect().contains(event->rect())) painter.fillRect(event->rect(), Qt::white);
    painter.drawImage(event->rect().topLeft(), m_image, event->rect());
}

void ViewWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    invalidate();
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        unsigned flags = 0;
        if (event->modifiers() & Qt::ShiftModifier) flags |= MK_SHIFT;
        if (event->modifiers() & Qt::ControlModifier) flags |= MK_CONTROL;
        const QPoint at = event->position().toPoint();
        m_view.OnLButtonUp(flags, Point{at.x(), at.y()});
        emit edited();
    } else if (event->button() == Qt::RightButton) {
        popupAt(event->globalPosition().toPoint());
    }
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
    // The character of a key; Escape is the character 27 that interrupts a search.
    if (event->key() == Qt::Key_Escape) {
        m_view.OnChar(27);
    } else if (!event->text().isEmpty()) {
        m_view.OnChar(event->text().at(0).unicode());
    } else {
        QWidget::keyPressEvent(event);
    }
}

void ViewWidget::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse's popup follows the release of the right button (mouseReleaseEvent).
    if (event->reason() == QContextMenuEvent::Mouse) return;
    popupAt(keyboardMenuPosition());
}

void ViewWidget::setContextMenus(QMenu* editingMenu, QMenu* solutionsMenu) {
    m_pEditingMenu = editingMenu;
    m_pSolutionsMenu = solutionsMenu;
}

QMenu* ViewWidget::contextMenuForMode() const {
    switch (m_view.ViewMode) {
        case kEditing:
        case kSearching:
            return m_pEditingMenu;
        case kShowingSolutions:
            return m_pSolutionsMenu;
        default:
            return nullptr;
    }
}

void ViewWidget::popupAt(QPoint globalPos) {
    if (QMenu* menu = contextMenuForMode()) menu->exec(globalPos);
}
