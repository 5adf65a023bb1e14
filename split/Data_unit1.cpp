#include "Data_unit1.h"

bool HasOpenDocument(const PDFItemInfo &info)
{
    return info.docHandle >= 0;
}
