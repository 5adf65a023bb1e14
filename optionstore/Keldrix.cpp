// The options-store module object and its registration under "Keldrix".
#include "OptionFile.h"

#include "OptionStore.h"
#include "Registry.h"

#include <atomic>

namespace {

class Keldrix final : public I_OptionStore {
public:
    bool InitInstance() override { return true; }
    int32_t AddRef() override { return ++m_refs; }
    void Release() override
    {
        if (--m_refs == 0)
            delete this;
    }
    bool ExitInstance() override { return true; }

    bool LoadOptions(const char16_t *path) override
    {
        try {
            return path && m_file.load(QString::fromUtf16(path));
        } catch (...) {
            return false;
        }
    }

    bool HasOption(const char16_t *key) override
    {
        try {
            return key && m_file.contains(QString::fromUtf16(key));
        } catch (...) {
            return false;
        }
    }

    const char16_t *GetOptionText(const char16_t *key) override
    {
        try {
            m_answer = key ? m_file.value(QString::fromUtf16(key)) : QString();
        } catch (...) {
            m_answer.clear();
        }
        return reinterpret_cast<const char16_t *>(m_answer.utf16());
    }

private:
    ~Keldrix() = default;

    std::atomic<int32_t> m_refs{1};
    OptionFile m_file;
    QString m_answer;
};

I_Plug *createKeldrix()
{
    return new Keldrix;
}

const Plug::AutoReg registration("Keldrix", &createKeldrix);

} // namespace
