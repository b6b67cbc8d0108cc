#include "host/PSInnerTableCell.h"

#include "platform/UIScreen.h"

void PSInnerTableCell::installInnerTable(CGFloat height) {
    CGFloat width = UIScreen::mainScreen()->bounds().width();
    setTableView(alloc<UITableView>()->initWithFrame_style(CGRectMake(0, 0, width, height), UITableViewStyle::Plain));
    serveTable(*_tableView);
    _tableView->setAllowsMultipleSelectionDuringEditing(false);
    _tableView->setScrollEnabled(false);
    addSubview(_tableView);
}
