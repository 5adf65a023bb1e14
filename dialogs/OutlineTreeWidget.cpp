#include "OutlineTreeWidget.h"

#include "PdfEngine.h"

#include <QString>
#include <QTreeWidget>

namespace {

// Tokens are item pointers; 0 stands for the invisible root. Runs inside an engine call, so
// nothing may throw out of it, and it must answer a token that is never 0.
intptr_t addOutlineItem(void *context, intptr_t parent, const char16_t *title, int32_t page) noexcept
{
    auto *tree = static_cast<QTreeWidget *>(context);
    QTreeWidgetItem *parentItem =
        parent ? reinterpret_cast<QTreeWidgetItem *>(parent) : tree->invisibleRootItem();
    try {
        auto *item = new QTreeWidgetItem(parentItem);
        item->setText(0, title ? QString::fromUtf16(title) : QString());
        item->setData(0, Qt::UserRole, page);
        return reinterpret_cast<intptr_t>(item);
    } catch (...) {
        // Without memory for the item its children go to its parent.
        return reinterpret_cast<intptr_t>(parentItem);
    }
}

} // namespace

int32_t FillOutlineTree(QTreeWidget *tree, int32_t docHandle)
{
    tree->clear();
    OutlineSink sink{tree, &addOutlineItem};
    return GetOutline(docHandle, &sink, 0);
}
