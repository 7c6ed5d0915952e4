#pragma once
// The main window's tab strip as its callers see it: tabs counted from 1 for
// captions and from 0 for keys and selection, sizes in twips, and a key made
// up for every tab that has none.
#include <QObject>
#include <QPointer>
#include <QTabBar>

namespace ks {

class clsTabStrip : public QObject {
    Q_OBJECT
public:
    // The tab strip's failure for a tab position that does not exist.
    static constexpr int kIndexOutOfBounds = 35600;

    QTabBar* TabStrip() const { return m_TabStrip; }
    void setTabStrip(QTabBar* tabStrip);

    QString TabCaption(qint16 iIndex) const;
    QString TabKey(qint16 iIndex);
    qint32 TabCount() const;
    void setTabCount(qint32 New_Count);
    QString Caption() const;
    void setCaption(const QString& caption);
    qint32 TabHeight() const;
    qint32 TheTab() const;
    void setTheTab(qint32 New_value);
    void Move(float Left, double Top, double width, double height);

signals:
    void Click();

private:
    QTabBar& strip() const;
    // The 0-based index of the tab at position (from 1), or the tab strip's failure.
    int tabAt(int position) const;
    int selected() const;

    QPointer<QTabBar> m_TabStrip;
    QMetaObject::Connection clicks_;
};

}
