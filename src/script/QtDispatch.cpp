#include "src/script/QtDispatch.h"

#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Variant.h"

#include <QMetaObject>
#include <QObject>
#include <QVariant>
#include <array>
#include <limits>

namespace quillo {

using script::InvokeKind;
using script::ScriptError;
using script::Variant;
namespace err = script::err;

namespace {

// The error an invokable asked for while it ran; 0 when none. Single-threaded like the
// engines themselves.
int32_t g_raised = 0;

// QMetaMethod::invoke takes at most ten arguments.
constexpr int kMaxArguments = 10;

bool isScriptVisible(const QMetaMethod& method) {
    return method.methodType() == QMetaMethod::Method && method.access() == QMetaMethod::Public;
}

void throwRaised() {
    const int32_t number = g_raised;
    g_raised = 0;
    if (number != 0) throw ScriptError::runtime(number);
}

} // namespace

QVariant qvariantFromVariant(const Variant& input, QMetaType type) {
    const Variant& value = input.deref();
    switch (type.id()) {
    case QMetaType::QString: return QString(qstringFromText(script::toText(value)));
    case QMetaType::Int: return QVariant(int(script::toLong(value)));
    case QMetaType::Double: return QVariant(script::toDouble(value));
    case QMetaType::Bool: return QVariant(script::toBoolean(value));
    case QMetaType::QVariant:
        switch (value.type()) {
        case script::VarType::Empty: return QVariant();
        case script::VarType::Boolean: return QVariant(script::toBoolean(value));
        case script::VarType::Integer:
        case script::VarType::Long:
        case script::VarType::Byte: return QVariant(int(script::toLong(value)));
        case script::VarType::Single:
        case script::VarType::Double:
        case script::VarType::Currency: return QVariant(script::toDouble(value));
        default: return QVariant(qstringFromText(script::toText(value)));
        }
    default: throw ScriptError::runtime(err::TypeMismatch);
    }
}

Variant variantFromQVariant(const QVariant& value) {
    if (!value.isValid()) return Variant();
    switch (value.typeId()) {
    case QMetaType::Bool: return Variant::fromBool(value.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort: return Variant::fromLong(value.toInt());
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const double d = value.toDouble();
        if (d >= std::numeric_limits<int32_t>::min() && d <= std::numeric_limits<int32_t>::max())
            return Variant::fromLong(int32_t(value.toLongLong()));
        return Variant::fromDouble(d);
    }
    case QMetaType::Float:
    case QMetaType::Double: return Variant::fromDouble(value.toDouble());
    case QMetaType::QString: return Variant::fromString(textFromQString(value.toString()));
    case QMetaType::QObjectStar: {
        QObject* object = value.value<QObject*>();
        if (!object) return Variant::nothing();
        return Variant::fromObject(script::makeRef<QtDispatch>(
            textFromQString(QString::fromLatin1(object->metaObject()->className()).section(QLatin1String("::"), -1)),
            std::vector<QObject*>{object}));
    }
    default:
        if (value.canConvert<QString>()) return Variant::fromString(textFromQString(value.toString()));
        return Variant();
    }
}

QtDispatch::QtDispatch(std::u16string typeName, std::vector<QObject*> targets)
    : typeName_(std::move(typeName)) {
    for (QObject* target : targets) targets_.emplace_back(target);
}

void QtDispatch::raise(int32_t number) { g_raised = number; }

bool QtDispatch::findMember(std::u16string_view name, Member& out) const {
    const QString wanted = qstringFromText(name);
    for (const QPointer<QObject>& target : targets_) {
        if (!target) continue;
        const QMetaObject* meta = target->metaObject();
        for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
            if (QString::fromLatin1(meta->property(i).name()).compare(wanted, Qt::CaseInsensitive) == 0) {
                out = Member{std::u16string(name), target, i, {}};
                return true;
            }
        }
        std::vector<QMetaMethod> overloads;
        for (int i = meta->methodOffset() > 0 ? QObject::staticMetaObject.methodCount() : 0;
             i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (isScriptVisible(method) &&
                QString::fromLatin1(method.name()).compare(wanted, Qt::CaseInsensitive) == 0)
                overloads.push_back(method);
        }
        if (!overloads.empty()) {
            out = Member{std::u16string(name), target, -1, std::move(overloads)};
            return true;
        }
    }
    return false;
}

int32_t QtDispatch::memberId(std::u16string_view name) {
    auto it = byName_.find(std::u16string(name));
    if (it != byName_.end()) return it->second;
    Member found;
    if (!findMember(name, found)) return script::DISPID_UNKNOWN;
    members_.push_back(std::move(found));
    const auto id = int32_t(members_.size());
    byName_.emplace(std::u16string(name), id);
    return id;
}

int32_t QtDispatch::defaultMemberId() {
    if (targets_.empty() || !targets_.front()) return script::DISPID_UNKNOWN;
    const QMetaObject* meta = targets_.front()->metaObject();
    const int info = meta->indexOfClassInfo("DefaultMember");
    if (info < 0) return script::DISPID_UNKNOWN;
    return memberId(textFromQString(QString::fromLatin1(meta->classInfo(info).value())));
}

QtDispatch::Member& QtDispatch::member(int32_t id) {
    if (id == script::DISPID_VALUE) id = defaultMemberId();
    if (id < 1 || size_t(id) > members_.size()) throw ScriptError::runtime(err::NoSuchMember);
    Member& m = members_[size_t(id) - 1];
    if (!m.target) throw ScriptError::runtime(err::ObjectRequired); // the object is gone
    return m;
}

std::u16string QtDispatch::memberName(int32_t id) {
    if (id < 1 || size_t(id) > members_.size()) return {};
    return members_[size_t(id) - 1].name;
}

Variant QtDispatch::getProperty(Member& m) {
    const QVariant value = m.target->metaObject()->property(m.property).read(m.target);
    throwRaised();
    return variantFromQVariant(value);
}

void QtDispatch::putProperty(Member& m, const Variant& value) {
    const QMetaProperty property = m.target->metaObject()->property(m.property);
    if (!property.isWritable()) throw ScriptError::runtime(err::WrongArguments);
    property.write(m.target, qvariantFromVariant(value, property.metaType()));
    throwRaised();
}

Variant QtDispatch::callMethod(Member& m, std::span<Variant> args) {
    const QMetaMethod* chosen = nullptr;
    for (const QMetaMethod& method : m.methods) {
        if (method.parameterCount() == int(args.size())) chosen = &method;
    }
    if (!chosen || args.size() > size_t(kMaxArguments)) throw ScriptError::runtime(err::WrongArguments);

    std::array<QVariant, kMaxArguments> values;
    std::array<QGenericArgument, kMaxArguments> generic;
    for (size_t i = 0; i < args.size(); ++i) {
        const QMetaType type = chosen->parameterMetaType(int(i));
        values[i] = qvariantFromVariant(args[i], type);
        // A QVariant parameter takes the QVariant itself, any other its contents.
        generic[i] = type.id() == QMetaType::QVariant
                         ? QGenericArgument("QVariant", &values[i])
                         : QGenericArgument(type.name(), values[i].constData());
    }
    QVariant result;
    QGenericReturnArgument returned;
    const QMetaType resultType = chosen->returnMetaType();
    if (resultType.id() != QMetaType::Void) {
        result = QVariant(resultType);
        returned = resultType.id() == QMetaType::QVariant ? QGenericReturnArgument("QVariant", &result)
                                                          : QGenericReturnArgument(resultType.name(), result.data());
    }
    const bool invoked = chosen->invoke(m.target, Qt::DirectConnection, returned, generic[0], generic[1],
                                        generic[2], generic[3], generic[4], generic[5], generic[6],
                                        generic[7], generic[8], generic[9]);
    throwRaised();
    if (!invoked) throw ScriptError::runtime(err::InvalidCall);
    return variantFromQVariant(result);
}

Variant QtDispatch::invoke(int32_t id, InvokeKind kind, std::span<Variant> args) {
    Member& m = member(id);
    if (kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef) {
        if (m.property < 0 || args.size() != 1) throw ScriptError::runtime(err::WrongArguments);
        putProperty(m, args.back());
        return {};
    }
    if (m.property >= 0) {
        if (!args.empty()) throw ScriptError::runtime(err::WrongArguments);
        return getProperty(m);
    }
    return callMethod(m, args);
}

namespace {
// Walks Item(0) .. Item(Count - 1) of a collection object.
class CountItemEnumerator : public script::Enumerator {
public:
    explicit CountItemEnumerator(QtDispatch& collection) : collection_(&collection) {}
    bool next(Variant& out) override {
        const int32_t countId = collection_->memberId(u"Count");
        const int32_t itemId = collection_->memberId(u"Item");
        const int32_t count = script::toLong(collection_->invoke(countId, InvokeKind::PropertyGet, {}));
        if (pos_ >= count) return false;
        std::array<Variant, 1> index{Variant::fromLong(pos_++)};
        out = collection_->invoke(itemId, InvokeKind::Method, index);
        return true;
    }
    void reset() override { pos_ = 0; }

private:
    script::Ref<QtDispatch> collection_;
    int32_t pos_ = 0;
};
} // namespace

script::Ref<script::Enumerator> QtDispatch::enumerate() {
    if (memberId(u"Count") == script::DISPID_UNKNOWN || memberId(u"Item") == script::DISPID_UNKNOWN) return {};
    return script::makeRef<CountItemEnumerator>(*this);
}

} // namespace quillo
