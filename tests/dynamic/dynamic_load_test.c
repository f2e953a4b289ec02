/* A host that loads the toolbox at run time, as CAD plug-in and macro hosts
 * do: dlopen/LoadLibraryA, every function looked up by its name, a small
 * exchange called through the function-pointer types of kelmod.h. It does
 * not link the library.
 *   kelmod_dynamic_load_test LIBRARY-PATH */
#include <stdio.h>
#include <string.h>

#include "kelmod.h"

#if defined(_WIN32)
#include <windows.h>
typedef HMODULE Library;
static Library Open(const char* path) { return LoadLibraryA(path); }
static void* Find(Library lib, const char* name) {
    FARPROC f = GetProcAddress(lib, name);
    void* p;
    memcpy(&p, &f, sizeof p);
    return p;
}
#else
#include <dlfcn.h>
typedef void* Library;
static Library Open(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
static void* Find(Library lib, const char* name) { return dlsym(lib, name); }
#endif

static const char* const kNames[] = {
    "ZanInitToolbox",
    "ZanConfigureToolbox",
    "ZanToolboxVersion",
    "ZanGetErrorMessage",
    "ZanFillInterface",
    "ZanDescribeInterface",
    "ZanCreateTable",
    "ZanCreateFillTable",
    "ZanFillTable",
    "ZanCreateSendstr",
    "ZanCreateSendstrBomHead",
    "ZanGetTableValue",
    "ZanWriteTableValue",
    "ZanModifyTableValue",
    "ZanDeleteTableEntry",
    "ZanDescribeTable",
    "ZanGetAttributName",
    "ZanGetAttributNameValue",
    "ZanSearchAttribut",
    "ZanCreateFillUserTable",
    "ZanWriteKonfiguration",
    "ZanPrintTable",
    "ZanCreateHlpTable",
    "ZanFillHlpTable",
    "ZanGetHlpData",
    "ZanGetHlpDescription",
    "ZanFindHelpTable",
    "ZanCreateFillTableMcd",
    "ZanCreateSendstrMcd",
    "ZanGetMcdValue",
    "ZanGetMcdDescription",
    "ZanWriteMcdValue",
    "ZanCreateSendstrHelp",
    "ZanCreateSendstrMessageK4",
    "ZanCreateFillClasTableK4",
    "ZanCreateFillClasHierarchTableK4",
    "ZanCreateSendstrClasK4",
    "ZanCreateSendstrClasScopeK4",
    "ZanCreateSendstrClasSelectK4",
    "ZanCreateSendstrClasSelScopeK4",
    "ZanCreateSendstrClasSearchK4",
    "ZanGetClasDataK4",
    "ZanGetClasHierarchDataK4",
    "ZanGetClasSearchDataK4",
    "ZanGetObjectDataK4",
    "ZanCreateMailTable",
    "ZanDescribeMailTable",
    "ZanGetMailData",
    "ZanWriteMailValue",
    "ZanCreateSendstrMail",
    "ZanCreateSmlTable",
    "ZanFillSmlTable",
    "ZanDeleteSmlSelection",
    "ZanGetSmlDescription",
    "ZanGetSmlData",
    "ZanGetSmlAttributData",
    "ZanWriteSmlValue",
    "ZanCreateSendstrSml",
    "ZanGetSmlDataK4",
    "ZanGetSmlAttributDataK4",
    "ZanGetSmlDataValueK4",
    "ZanGetSmlValueDescriptionK4",
    "ZanCreateFillPosSmlValueTableK4",
    "ZanCreateSendstrPosSmlValuesK4"};

/* A function pointer of a kelmod.h type from the address the loader gave. */
#define LOOK_UP(lib, type, name, into)                   \
    do {                                                 \
        void* address = Find(lib, name);                 \
        if (address == NULL) {                           \
            printf("%s not found\n", name);              \
            return 1;                                    \
        }                                                \
        memcpy(&(into), &address, sizeof(into));         \
    } while (0)

int main(int argc, char** argv) {
    if (argc != 2) {
        printf("usage: kelmod_dynamic_load_test LIBRARY-PATH\n");
        return 2;
    }
    Library lib = Open(argv[1]);
    if (lib == NULL) {
        printf("cannot load %s\n", argv[1]);
        return 1;
    }
    size_t found = 0;
    for (size_t i = 0; i < sizeof kNames / sizeof kNames[0]; ++i) {
        if (Find(lib, kNames[i]) != NULL) ++found;
        else printf("%s is not exported\n", kNames[i]);
    }

    ZanInitToolbox_t initToolbox;
    ZanToolboxVersion_t toolboxVersion;
    ZanFillInterface_t fillInterface;
    ZanCreateFillUserTable_t createFillUserTable;
    ZanGetTableValue_t getTableValue;
    ZanDescribeTable_t describeTable;
    ZanGetErrorMessage_t getErrorMessage;
    LOOK_UP(lib, ZanInitToolbox_t, "ZanInitToolbox", initToolbox);
    LOOK_UP(lib, ZanToolboxVersion_t, "ZanToolboxVersion", toolboxVersion);
    LOOK_UP(lib, ZanFillInterface_t, "ZanFillInterface", fillInterface);
    LOOK_UP(lib, ZanCreateFillUserTable_t, "ZanCreateFillUserTable", createFillUserTable);
    LOOK_UP(lib, ZanGetTableValue_t, "ZanGetTableValue", getTableValue);
    LOOK_UP(lib, ZanDescribeTable_t, "ZanDescribeTable", describeTable);
    LOOK_UP(lib, ZanGetErrorMessage_t, "ZanGetErrorMessage", getErrorMessage);

    char* version = NULL;
    char record[] = "46C   ;";
    char data[] = "100-100;Bolt;100-200;Washer;";
    char field[] = "PARA2";
    char* value = NULL;
    char* count = NULL;
    MessageRecord message;
    int ok = initToolbox(1) == 0 && toolboxVersion(&version) == 0 &&
             strcmp(version, "3.1G") == 0 &&
             fillInterface(record, (int32_t)strlen(record)) == 0 &&
             createFillUserTable(1, 2, data, (int32_t)strlen(data)) == 0 &&
             describeTable(10, &count) == 0 && strcmp(count, "2") == 0 &&
             getTableValue(10, field, 2, &value) == 0 && strcmp(value, "Washer") == 0 &&
             getErrorMessage(78, &message) == 0 && message.code == 78 &&
             initToolbox(2) == 0;
    printf("%u of %u functions found; toolbox %s; exchange %s\n", (unsigned)found,
           (unsigned)(sizeof kNames / sizeof kNames[0]), version ? version : "?",
           ok ? "as expected" : "WRONG");
    return ok && found == 64 ? 0 : 1;
}
