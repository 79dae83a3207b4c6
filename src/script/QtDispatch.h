#pragma once
// Makes QObjects scriptable: their Q_PROPERTYs and Q_INVOKABLE methods become Dispatch
// members, looked up by name without regard to letter case. Several objects can stand
// behind one Dispatch; a name is looked up in them in order. Q_CLASSINFO("DefaultMember",
// name) on the first object names the default member; an object with a Count property and
// an Item(index) method can be enumerated.

#include "scripting/core/Dispatch.h"
#include "scripting/core/Text.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QPointer>
#include <QString>
#include <unordered_map>
#include <vector>

class QObject;

namespace quillo {

class QtDispatch : public script::Dispatch {
public:
    QtDispatch(std::u16string typeName, std::vector<QObject*> targets);

    int32_t memberId(std::u16string_view name) override;
    script::Variant invoke(int32_t id, script::InvokeKind kind, std::span<script::Variant> args) override;
    std::u16string typeName() override { return typeName_; }
    script::Ref<script::Enumerator> enumerate() override;
    std::u16string memberName(int32_t id) override;

    // Called by an invokable method or property accessor while it runs: the member fails
    // with this script error once it returns.
    static void raise(int32_t number);

private:
    struct Member {
        std::u16string name;
        QPointer<QObject> target;
        int property = -1;                // index in the target's meta-object
        std::vector<QMetaMethod> methods; // overloads, one per argument count
    };

    bool findMember(std::u16string_view name, Member& out) const;
    Member& member(int32_t id);
    script::Variant getProperty(Member& m);
    void putProperty(Member& m, const script::Variant& value);
    script::Variant callMethod(Member& m, std::span<script::Variant> args);
    int32_t defaultMemberId();

    std::u16string typeName_;
    std::vector<QPointer<QObject>> targets_;
    std::vector<Member> members_; // id - 1 indexes it; filled as names are asked for
    std::unordered_map<std::u16string, int32_t, script::CaseInsensitiveHash, script::CaseInsensitiveEqual> byName_;
};

// Conversions at the boundary. A Variant becomes the parameter type by the automation
// rules (text, whole number, double, boolean); a QVariant result becomes the nearest
// Variant. QObject results are wrapped in a QtDispatch of their own.
QVariant qvariantFromVariant(const script::Variant& value, QMetaType type);
script::Variant variantFromQVariant(const QVariant& value);

inline QString qstringFromText(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}
inline std::u16string textFromQString(const QString& text) { return text.toStdU16String(); }

} // namespace quillo
