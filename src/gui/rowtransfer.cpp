#include "gui/rowtransfer.h"

#include "output/rowhtml.h"
#include "output/rowpicture.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>

std::unique_ptr<QMimeData> rowMimeData(const GlyphRow& row, const RowPictureOptions& picture) {
    auto data = std::make_unique<QMimeData>();
    data->setText(row.unicodeText());
    // Named with its encoding too, for the readers that ask for the text by that name only.
    data->setData(QStringLiteral("text/plain;charset=utf-8"), row.unicodeText().toUtf8());
    data->setHtml(RowHtml::clipboardHtml(row));
    data->setImageData(rowImage(row, picture));
    return data;
}

void copyRow(const GlyphRow& row, const RowPictureOptions& picture) {
    QGuiApplication::clipboard()->setMimeData(rowMimeData(row, picture).release());
}

void copyRowPicture(const GlyphRow& row, const RowPictureOptions& picture) {
    auto data = std::make_unique<QMimeData>();
    data->setImageData(rowImage(row, picture));
    QGuiApplication::clipboard()->setMimeData(data.release());
}

RowDragSource::RowDragSource(MimeSource mimeSource, QObject* parent)
    : QObject(parent)
    , m_mimeSource(std::move(mimeSource)) {}

void RowDragSource::watch(QWidget* widget) {
    widget->installEventFilter(this);
}

bool RowDragSource::eventFilter(QObject* watched, QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressed = mouse->button() == Qt::LeftButton;
        m_pressedAt = mouse->globalPosition().toPoint();
        break;
    case QEvent::MouseButtonRelease:
        m_pressed = false;
        break;
    case QEvent::MouseMove:
        if (m_pressed && (mouse->globalPosition().toPoint() - m_pressedAt).manhattanLength() >=
                             QApplication::startDragDistance()) {
            m_pressed = false;
            std::unique_ptr<QMimeData> data = m_mimeSource();
            if (data) {
                auto* drag = new QDrag(watched);
                drag->setMimeData(data.release());
                drag->exec(Qt::CopyAction);
            }
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
