#include "app/key_codes.h"

#include <Qt>

#include "platform/platform.h"

int keyCodeForQtKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape:
            return KeyCode::Escape;
        case Qt::Key_Insert:
            return KeyCode::Insert;
        case Qt::Key_Delete:
            return KeyCode::Delete;
        case Qt::Key_Up:
            return KeyCode::Up;
        case Qt::Key_Down:
            return KeyCode::Down;
        case Qt::Key_Left:
            return KeyCode::Left;
        case Qt::Key_Right:
            return KeyCode::Right;
        default:
            return KeyCode::Other;
    }
}
