// The yardstick of the tray benchmarks: a Qt program that shows only a tray
// icon (a filled circle) and waits.
#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QPixmap dot(22, 22);
    dot.fill(Qt::transparent);
    {
        QPainter painter(&dot);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRectF(3, 3, 16, 16));
    }
    QSystemTrayIcon tray{QIcon(dot)};
    tray.show();
    return QApplication::exec();
}
