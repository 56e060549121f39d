#include "build/syntaxcheck.h"

#include "project/cp1252.h"
#include "project/module1.h"

#include <lua.hpp>

namespace {

// One Lua state for all the chunks of a check.
class LuaCompiler {
public:
    LuaCompiler() : mState(luaL_newstate()) {}
    ~LuaCompiler() {
        if (mState)
            lua_close(mState);
    }
    LuaCompiler(const LuaCompiler&) = delete;
    LuaCompiler& operator=(const LuaCompiler&) = delete;

    // Lua's message for a chunk that does not compile, or nothing. The text is encoded as
    // the files are.
    std::optional<QString> error(const QString& text, const char* chunkName) {
        if (!mState)
            return QStringLiteral("mémoire insuffisante");
        const QByteArray bytes = toCp1252(text);
        const int status = luaL_loadbuffer(mState, bytes.constData(), size_t(bytes.size()), chunkName);
        std::optional<QString> message;
        if (status != 0) {
            size_t length = 0;
            const char* s = lua_tolstring(mState, -1, &length);
            message = s ? fromCp1252(QByteArray(s, qsizetype(length))) : QStringLiteral("erreur");
        }
        lua_settop(mState, 0);
        return message;
    }

private:
    lua_State* mState;
};

// "script:3: 'end' expected near '<eof>'" becomes the line number and the rest.
QString lineAndReason(const QString& message) {
    const QString prefix = QStringLiteral("script:");
    if (message.startsWith(prefix)) {
        const qsizetype colon = message.indexOf(u':', prefix.size());
        bool ok = false;
        const int line = message.mid(prefix.size(), colon - prefix.size()).toInt(&ok);
        if (colon > 0 && ok)
            return QStringLiteral("ligne ") + QString::number(line) + QStringLiteral(" du script : ") +
                   message.mid(colon + 1).trimmed();
    }
    return message;
}

// How to write a quote or a backslash, when the refused text holds one.
QString quoteHintFor(const QString& text) {
    if (text.contains(u'"') || text.contains(u'\\'))
        return u'\n' + kQuoteHint;
    return QString();
}

// A cell's script as it runs: inside the event function and the test of its cell, so that a
// fault of that place (such as "..." outside a vararg function) is found here too. The
// script's first line stays line 1.
QString inEventFunction(const QString& script) {
    return QStringLiteral("local function runev(colonne,ligne,map) if true then ") + script +
           QStringLiteral("\r\nend end");
}

} // namespace

std::optional<QString> checkGameScripts(const GameScripts& scripts) {
    LuaCompiler lua;

    for (qsizetype i = 0; i < scripts.startValues.size(); ++i) {
        const QString line = QStringLiteral("var[") + QString::number(i + 1) +
                             QStringLiteral("] = \"") + scripts.startValues[i] + u'"';
        if (const auto error = lua.error(line, "=variables.lua")) {
            return QStringLiteral("La valeur initiale de la variable ") + QString::number(i + 1) +
                   QStringLiteral(" empêche le fichier variables.lua de fonctionner :\n") +
                   QStringLiteral("valeur : ") + scripts.startValues[i] + u'\n' + *error +
                   quoteHintFor(scripts.startValues[i]);
        }
    }
    if (const auto error = lua.error(scripts.variables + QStringLiteral("\r\n"), "=variables.lua"))
        return QStringLiteral("Le fichier variables.lua contient une erreur :\n") + *error;

    for (const CellScript& cell : scripts.cells) {
        // A saved script opens with CR LF: without it, Lua's line numbers are the script's.
        const QString text = cell.content.startsWith(QStringLiteral("\r\n")) ? cell.content.mid(2)
                                                                             : cell.content;
        if (const auto error = lua.error(inEventFunction(text), "=script")) {
            return QStringLiteral("Le script de l'évènement de la carte ") + mapNumberText(cell.map) +
                   QStringLiteral(", ligne ") + QString::number(cell.row) +
                   QStringLiteral(", colonne ") + QString::number(cell.column) +
                   QStringLiteral(" contient une erreur :\n") + lineAndReason(*error) +
                   quoteHintFor(text);
        }
    }
    if (const auto error = lua.error(scripts.events + QStringLiteral("\r\n"), "=ev.lua"))
        return QStringLiteral("Le fichier ev.lua contient une erreur :\n") + *error;
    return std::nullopt;
}
