#include "PartBuilder.h"

#include "ObjectKey.h"

#include <qpdf/QPDFPageLabelDocumentHelper.hh>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace pdfengine {

namespace {

bool isName(QPDFObjectHandle h, const char *name)
{
    return h.isName() && h.getName() == name;
}

class Builder {
public:
    Builder(SourceDocument &src, const std::vector<int> &pages, PartCopier *copier)
        : src_(src), order_(pages), copier_(copier)
    {
        part_ = std::make_unique<QPDF>();
        part_->emptyPDF();
        part_->setSuppressWarnings(true);
    }

    std::unique_ptr<QPDF> build()
    {
        src_.pdf().pushInheritedAttributesToPage();
        copyPages();
        for (auto &[index, local] : local_)
            fixAnnotations(src_.pages()[static_cast<std::size_t>(index)], local);
        copyForm();
        addPagesInOrder();
        copyPageLabels();
        copyOutline();
        copyDocumentData();
        return std::move(part_);
    }

private:
    QPDFObjectHandle copyObject(QPDFObjectHandle foreign)
    {
        return copier_ != nullptr ? copier_->copy(*part_, foreign) : part_->copyForeignObject(foreign);
    }

    // Copies a value of the source into the part; indirect objects go through qpdf's
    // copier, which keeps one copy of shared objects (fonts, images) per part.
    QPDFObjectHandle copyValue(QPDFObjectHandle v, int depth = 0)
    {
        if (v.isIndirect())
            return copyObject(v);
        if (depth > 64)
            return QPDFObjectHandle::newNull();
        if (v.isArray()) {
            auto out = QPDFObjectHandle::newArray();
            for (auto &item : v.aitems())
                out.appendItem(copyValue(item, depth + 1));
            return out;
        }
        if (v.isDictionary()) {
            auto out = QPDFObjectHandle::newDictionary();
            for (auto &[key, item] : v.ditems())
                out.replaceKey(key, copyValue(item, depth + 1));
            return out;
        }
        return v.shallowCopy();
    }

    void copyPages()
    {
        for (int index : order_) {
            if (local_.count(index) != 0)
                continue;
            QPDFObjectHandle page = src_.pages()[static_cast<std::size_t>(index)];
            QPDFObjectHandle copy = copyObject(page);
            // Article beads chain to other pages' beads; the threads are not carried over.
            copy.removeKey("/B");
            local_.emplace(index, copy);
        }
    }

    QPDFObjectHandle localDest(const ResolvedDest &dest, QPDFObjectHandle page)
    {
        auto out = QPDFObjectHandle::newArray();
        out.appendItem(page);
        QPDFObjectHandle array = dest.array;
        const int n = array.isArray() ? array.getArrayNItems() : 0;
        if (n < 2)
            out.appendItem(QPDFObjectHandle::newName("/Fit"));
        for (int i = 1; i < n; ++i) {
            QPDFObjectHandle item = array.getArrayItem(i);
            out.appendItem(item.isIndirect() ? QPDFObjectHandle::newNull() : item.shallowCopy());
        }
        return out;
    }

    // Links into the part point to its own copy of the page; links to pages it lacks go.
    void fixAnnotations(QPDFObjectHandle srcPage, QPDFObjectHandle localPage)
    {
        QPDFObjectHandle srcAnnots = srcPage.getKey("/Annots");
        QPDFObjectHandle localAnnots = localPage.getKey("/Annots");
        if (!srcAnnots.isArray() || !localAnnots.isArray()) {
            localPage.removeKey("/Annots");
            return;
        }
        auto kept = QPDFObjectHandle::newArray();
        const int n = std::min(srcAnnots.getArrayNItems(), localAnnots.getArrayNItems());
        for (int i = 0; i < n; ++i) {
            QPDFObjectHandle srcAnnot = srcAnnots.getArrayItem(i);
            QPDFObjectHandle annot = localAnnots.getArrayItem(i);
            if (!annot.isDictionary())
                continue;
            const bool link = isName(annot.getKey("/Subtype"), "/Link");
            Target target = src_.annotationTarget(srcAnnot);
            if (target.kind != TargetKind::None) {
                auto inPart = local_.find(target.dest.page);
                if (target.kind == TargetKind::Page && inPart != local_.end()) {
                    annot.replaceKey("/Dest", localDest(target.dest, inPart->second));
                    annot.removeKey("/A");
                } else if (link) {
                    continue;
                } else {
                    annot.removeKey("/Dest");
                    annot.removeKey("/A");
                }
            }
            if (srcAnnot.isIndirect() && isName(annot.getKey("/Subtype"), "/Widget"))
                widgets_.insert(objectKey(srcAnnot));
            kept.appendItem(annot);
        }
        if (kept.getArrayNItems() == 0)
            localPage.removeKey("/Annots");
        else
            localPage.replaceKey("/Annots", kept);
    }

    // A page listed twice appears twice: the repeat is its own page object with its own
    // annotations, its widgets joining the same fields.
    QPDFObjectHandle repeatOf(QPDFObjectHandle first)
    {
        QPDFObjectHandle page = part_->makeIndirectObject(first.shallowCopy());
        QPDFObjectHandle annots = first.getKey("/Annots");
        if (!annots.isArray())
            return page;
        auto copies = QPDFObjectHandle::newArray();
        for (auto &annot : annots.aitems()) {
            if (!annot.isDictionary())
                continue;
            QPDFObjectHandle parent = annot.getKey("/Parent");
            const bool widget = isName(annot.getKey("/Subtype"), "/Widget");
            // A widget that is its own field cannot appear twice under one name.
            if (widget && !parent.isDictionary())
                continue;
            QPDFObjectHandle copy = part_->makeIndirectObject(annot.shallowCopy());
            copy.replaceKey("/P", page);
            copy.removeKey("/Popup");
            if (widget && parent.getKey("/Kids").isArray())
                parent.getKey("/Kids").appendItem(copy);
            copies.appendItem(copy);
        }
        page.replaceKey("/Annots", copies);
        return page;
    }

    void addPagesInOrder()
    {
        std::unordered_set<int> added;
        for (int index : order_) {
            QPDFObjectHandle page = local_.at(index);
            if (!added.insert(index).second)
                page = repeatOf(page);
            part_->addPage(page, false);
        }
    }

    // Fields whose widgets sit on the part's pages, their ancestors, and nothing more.
    void copyForm()
    {
        if (widgets_.empty())
            return;
        QPDFObjectHandle acroForm = src_.pdf().getRoot().getKey("/AcroForm");
        if (!acroForm.isDictionary())
            return;
        std::unordered_set<std::uint64_t> keep = widgets_;
        std::vector<QPDFObjectHandle> roots;
        std::unordered_set<std::uint64_t> rootSeen;
        for (int index : order_) {
            QPDFObjectHandle page = src_.pages()[static_cast<std::size_t>(index)];
            QPDFObjectHandle annots = page.getKey("/Annots");
            if (!annots.isArray())
                continue;
            for (auto &annot : annots.aitems()) {
                if (!annot.isIndirect() || widgets_.count(objectKey(annot)) == 0)
                    continue;
                QPDFObjectHandle node = annot;
                bool known = false;
                for (int depth = 0; depth < kMaxFieldDepth; ++depth) {
                    QPDFObjectHandle parent = node.getKey("/Parent");
                    if (!parent.isDictionary() || !parent.isIndirect())
                        break;
                    if (!keep.insert(objectKey(parent)).second) {
                        known = true; // this chain was walked from another widget
                        break;
                    }
                    node = parent;
                }
                if (!known && rootSeen.insert(objectKey(node)).second)
                    roots.push_back(node);
            }
        }
        // Prune every kept node's kids to kept ones, so other pages' widgets are not written.
        for (auto &root : roots)
            pruneKids(root, keep, 0);

        auto form = QPDFObjectHandle::newDictionary();
        for (auto &[key, value] : acroForm.ditems()) {
            if (key == "/Fields" || key == "/CO" || key == "/XFA")
                continue;
            form.replaceKey(key, copyValue(value));
        }
        auto fields = QPDFObjectHandle::newArray();
        for (auto &root : roots)
            fields.appendItem(copyObject(root));
        form.replaceKey("/Fields", fields);
        QPDFObjectHandle order = acroForm.getKey("/CO");
        if (order.isArray()) {
            auto kept = QPDFObjectHandle::newArray();
            for (auto &field : order.aitems())
                if (field.isIndirect() && keep.count(objectKey(field)) != 0)
                    kept.appendItem(copyObject(field));
            if (kept.getArrayNItems() > 0)
                form.replaceKey("/CO", kept);
        }
        part_->getRoot().replaceKey("/AcroForm", part_->makeIndirectObject(form));
    }

    void pruneKids(QPDFObjectHandle srcNode, const std::unordered_set<std::uint64_t> &keep, int depth)
    {
        QPDFObjectHandle kids = srcNode.getKey("/Kids");
        if (!kids.isArray() || depth > kMaxFieldDepth)
            return;
        auto kept = QPDFObjectHandle::newArray();
        for (auto &kid : kids.aitems()) {
            if (!kid.isIndirect() || keep.count(objectKey(kid)) == 0)
                continue;
            kept.appendItem(copyObject(kid));
            pruneKids(kid, keep, depth + 1);
        }
        copyObject(srcNode).replaceKey("/Kids", kept);
    }

    void copyPageLabels()
    {
        QPDFPageLabelDocumentHelper labels(src_.pdf());
        if (!labels.hasPageLabels())
            return;
        std::vector<QPDFObjectHandle> entries;
        std::size_t i = 0;
        while (i < order_.size()) {
            std::size_t j = i;
            while (j + 1 < order_.size() && order_[j + 1] == order_[j] + 1)
                ++j;
            labels.getLabelsForPageRange(order_[i], order_[j], static_cast<long long>(i), entries);
            i = j + 1;
        }
        auto nums = QPDFObjectHandle::newArray();
        for (auto &entry : entries)
            nums.appendItem(copyValue(entry));
        auto tree = QPDFObjectHandle::newDictionary();
        tree.replaceKey("/Nums", nums);
        part_->getRoot().replaceKey("/PageLabels", tree);
    }

    struct Kept {
        const OutlineNode *node;
        std::vector<std::size_t> children; // positions in kept_
    };

    long long openCount(const Kept &k) const
    {
        long long n = 0;
        for (std::size_t child : k.children)
            n += 1 + (kept_[child].node->open ? openCount(kept_[child]) : 0);
        return n;
    }

    void writeBookmarks(QPDFObjectHandle parent, const std::vector<std::size_t> &items)
    {
        QPDFObjectHandle previous;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Kept &k = kept_[items[i]];
            auto item = part_->makeIndirectObject(QPDFObjectHandle::newDictionary());
            item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(k.node->title));
            item.replaceKey("/Parent", parent);
            QPDFObjectHandle page = local_.at(k.node->page);
            item.replaceKey("/Dest", localDest(ResolvedDest{k.node->page, k.node->dest}, page));
            QPDFObjectHandle color = k.node->color;
            QPDFObjectHandle flags = k.node->flags;
            if (color.isArray())
                item.replaceKey("/C", copyValue(color));
            if (flags.isInteger())
                item.replaceKey("/F", flags.shallowCopy());
            if (i == 0)
                parent.replaceKey("/First", item);
            else {
                item.replaceKey("/Prev", previous);
                previous.replaceKey("/Next", item);
            }
            if (!k.children.empty()) {
                writeBookmarks(item, k.children);
                const long long n = openCount(k);
                item.replaceKey("/Count", QPDFObjectHandle::newInteger(k.node->open ? n : -n));
            }
            previous = item;
        }
        if (!items.empty())
            parent.replaceKey("/Last", previous);
    }

    // Bookmarks into the part stay, in outline order; a dropped one's kept descendants
    // take its place under its nearest kept ancestor.
    void copyOutline()
    {
        const OutlineIndex &index = src_.outlineIndex();
        if (index.nodes.empty())
            return;
        std::vector<int> keep;
        for (auto &entry : local_)
            for (int n : index.byPage[static_cast<std::size_t>(entry.first)])
                keep.push_back(n);
        if (keep.empty())
            return;
        std::sort(keep.begin(), keep.end());
        std::unordered_map<int, std::size_t> position;
        std::vector<std::size_t> top;
        for (int n : keep) {
            int ancestor = index.parent[static_cast<std::size_t>(n)];
            while (ancestor >= 0 && position.count(ancestor) == 0)
                ancestor = index.parent[static_cast<std::size_t>(ancestor)];
            const std::size_t here = kept_.size();
            kept_.push_back({index.nodes[static_cast<std::size_t>(n)], {}});
            position.emplace(n, here);
            if (ancestor < 0)
                top.push_back(here);
            else
                kept_[position.at(ancestor)].children.push_back(here);
        }
        auto root = part_->makeIndirectObject(QPDFObjectHandle::newDictionary());
        root.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
        writeBookmarks(root, top);
        long long visible = 0;
        for (std::size_t k : top)
            visible += 1 + (kept_[k].node->open ? openCount(kept_[k]) : 0);
        root.replaceKey("/Count", QPDFObjectHandle::newInteger(visible));
        part_->getRoot().replaceKey("/Outlines", root);
        hasOutline_ = true;
    }

    void copyDocumentData()
    {
        QPDFObjectHandle info = src_.pdf().getTrailer().getKey("/Info");
        if (info.isDictionary())
            part_->getTrailer().replaceKey("/Info", info.isIndirect() ? copyValue(info)
                                                                     : part_->makeIndirectObject(copyValue(info)));
        QPDFObjectHandle catalog = src_.pdf().getRoot();
        QPDFObjectHandle partCatalog = part_->getRoot();
        QPDFObjectHandle metadata = catalog.getKey("/Metadata");
        if (metadata.isStream())
            partCatalog.replaceKey("/Metadata", copyObject(metadata));
        // Without /OCProperties a viewer shows every layer, hidden ones too; without /OutputIntents a
        // part loses the colour conditions it was made for.
        for (const char *key :
             {"/Lang", "/ViewerPreferences", "/PageLayout", "/MarkInfo", "/OutputIntents", "/OCProperties"}) {
            QPDFObjectHandle value = catalog.getKey(key);
            if (!value.isNull())
                partCatalog.replaceKey(key, copyValue(value));
        }
        QPDFObjectHandle mode = catalog.getKey("/PageMode");
        if (mode.isName() && (mode.getName() != "/UseOutlines" || hasOutline_))
            partCatalog.replaceKey("/PageMode", mode.shallowCopy());
    }

    SourceDocument &src_;
    const std::vector<int> &order_;
    PartCopier *copier_;
    std::unique_ptr<QPDF> part_;
    std::unordered_map<int, QPDFObjectHandle> local_;   // source index -> its copy in the part
    std::unordered_set<std::uint64_t> widgets_;         // source widgets on the part's pages
    std::vector<Kept> kept_;
    bool hasOutline_ = false;
};

} // namespace

std::unique_ptr<QPDF> buildPart(SourceDocument &src, const std::vector<int> &pages, PartCopier *copier)
{
    return Builder(src, pages, copier).build();
}

} // namespace pdfengine
