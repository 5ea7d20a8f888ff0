#pragma once
// The side list bar (`lbrWagemark`): groups of large command buttons, one
// group open at a time, the same commands as the menu and tool bar. Opening
// a group is animated in the style the user chose ("Menu Animations").

#include <QIcon>
#include <QString>
#include <QWidget>
#include <vector>

#include "shell/logic/shell_model.h"

class QToolButton;
class QVBoxLayout;

namespace wm {

class ListBar final : public QWidget {
    Q_OBJECT
public:
    explicit ListBar(QWidget* parent = nullptr);

    // A new group; later items go into it.
    void addGroup(const QString& title);
    // An item of the current group; its object name is `key`.
    QToolButton* addItem(const QString& key, const QString& text, const QIcon& icon, const QString& tip);
    QToolButton* item(const QString& key) const;

    void setAnimation(MenuAnimation style) { animation_ = style; }
    void openGroup(int index);
    int groupCount() const { return static_cast<int>(groups_.size()); }

signals:
    void itemClicked(const QString& key);

private:
    struct Group {
        QToolButton* header;
        QWidget* page;
        QVBoxLayout* items;
    };
    void animateOpen(QWidget* page);

    QVBoxLayout* layout_;
    std::vector<Group> groups_;
    int current_ = -1;
    MenuAnimation animation_ = MenuAnimation::None;
};

}  // namespace wm
