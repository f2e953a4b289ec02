/*
 * Example host: the exchanges a CAD program runs through KELMOD, written as a
 * host developer would write them against kelmod.h. The backend is canned:
 * its answers are the files beside this program and the strings below.
 *
 * Usage: kelmod_host [examples-folder [print-folder]]
 * The print files go to print-folder (made if it is missing; default: a new
 * temporary folder).
 */
#if !defined(_WIN32)
#define _POSIX_C_SOURCE 200809L /* mkdir, mkdtemp */
#endif
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#if defined(_WIN32)
#include <direct.h>
#else
#include <sys/stat.h>
#endif

#include "kelmod.h"

static char folder[1024] = KELMOD_EXAMPLES_DIR;
static char printFolder[1024] = "";

static char* path_of(const char* file) {
    static char paths[8][1200];
    static int next = 0;
    char* p = paths[next];
    next = (next + 1) % 8;
    snprintf(p, sizeof paths[0], "%s/%s", folder, file);
    return p;
}

/* Prints a non-zero code with its text from the message file. */
static int report(const char* call, ErrorCode rc) {
    MessageRecord msg;
    if (rc == 0) return 0;
    ZanGetErrorMessage(rc, &msg);
    printf("  %s returned %d: [%s] %s - %s\n", call, (int)rc, msg.type, msg.shortText,
           msg.longText);
    return 1;
}

static char* read_file(const char* path, int32_t* length) {
    FILE* f = fopen(path, "rb");
    char* data;
    long n;
    if (f == NULL) return NULL;
    fseek(f, 0, SEEK_END);
    n = ftell(f);
    fseek(f, 0, SEEK_SET);
    data = (char*)malloc((size_t)n + 1);
    if (data != NULL && fread(data, 1, (size_t)n, f) == (size_t)n) {
        data[n] = '\0';
        *length = (int32_t)n;
    } else {
        free(data);
        data = NULL;
    }
    fclose(f);
    return data;
}

static void start(void) {
    char record[] = "46C XY;ZKELMHOST";
    char* version = NULL;
    char* value = NULL;
    int mode;
    static const char* names[] = {"", "separator", "release", "flag 5", "flag 6", "text",
                                  "flag 8"};

    ZanInitToolbox(1);
    ZanConfigureToolbox(1, path_of("kelmmes.dat"));
    ZanConfigureToolbox(2, path_of("kelmtab.dat"));
    ZanToolboxVersion(&version);
    printf("KELMOD toolbox %s\n\n", version);

    printf("Interface record '%s'\n", record);
    report("ZanFillInterface", ZanFillInterface(record, (int32_t)strlen(record)));
    for (mode = 1; mode <= 6; ++mode) {
        if (ZanDescribeInterface(mode, &value) == 0) printf("  %-9s '%s'\n", names[mode], value);
    }
    printf("\n");
}

static void generic_exchange(void) {
    char name[] = "MATRQ", key[] = "01", answerName[] = "MATAN";
    char field[16], value[64];
    char* send = NULL;
    char* count = NULL;
    char* text = NULL;
    char fieldName[16];
    int32_t length = 0, records, r, f;
    char* answer;

    printf("Generic exchange: material request\n");
    if (report("ZanCreateTable", ZanCreateTable(1, name, key, path_of("kelmset.dat"),
                                                path_of("kelmdef.dat"))))
        return;
    strcpy(field, "MATNR"); strcpy(value, "100-*");
    report("ZanWriteTableValue", ZanWriteTableValue(1, field, value, 0));
    strcpy(field, "WERKS"); strcpy(value, "1000");
    report("ZanWriteTableValue", ZanWriteTableValue(1, field, value, 0));
    strcpy(field, "MATNR"); strcpy(value, "200-*");
    report("ZanWriteTableValue", ZanWriteTableValue(1, field, value, 1));
    strcpy(field, "WERKS"); strcpy(value, "2000");
    report("ZanWriteTableValue", ZanWriteTableValue(1, field, value, 1));
    if (report("ZanCreateSendstr", ZanCreateSendstr(&send))) return;
    printf("  send string  '%s'\n", send);

    answer = read_file(path_of("answer.txt"), &length);
    if (answer == NULL) {
        printf("  no canned answer in %s\n", folder);
        return;
    }
    printf("  answer       %d bytes\n", (int)length);
    if (report("ZanCreateFillTable",
               ZanCreateFillTable(2, answerName, key, path_of("kelmset.dat"),
                                  path_of("kelmdef.dat"), answer, length))) {
        free(answer);
        return;
    }
    free(answer);
    if (report("ZanDescribeTable", ZanDescribeTable(2, &count))) return;
    records = atoi(count);
    printf("  answer table %d records\n", (int)records);
    for (r = 1; r <= records; ++r) {
        printf("  record %d\n", (int)r);
        for (f = 1; ZanGetAttributNameValue(2, f, r, fieldName, &text) == 0; ++f) {
            char nameCopy[16];
            strcpy(nameCopy, fieldName);
            if (ZanGetTableValue(2, nameCopy, r, &text) == 0)
                printf("    %-6s '%s'\n", fieldName, text);
        }
    }
    strcpy(field, "NOSUCH");
    report("ZanGetTableValue(2, \"NOSUCH\")", ZanGetTableValue(2, field, 1, &text));
    printf("\n");
}

static void help_exchange(void) {
    char table[] = "MATCH", key[] = "01", field[] = "MATNR", plant[] = "1000";
    /* The backend's canned answer: the column description (title;width;flag;
     * in this release) and the lines of the help list. */
    char columns[] = "Material;18;X;Description;40;;Unit;3;;";
    char lines[] = "100-100;Hexagon head bolt M8x40;ST;100-200;Washer 8.4;ST;"
                   "200-310;Bearing housing, cast iron;ST;";
    char* send = NULL;
    char* text = NULL;
    int32_t columnCount, lineCount, preselected, line, column;
    CharacteristicData entry;

    printf("Help exchange: values offered for a field\n");
    if (report("ZanCreateSendstrHelp", ZanCreateSendstrHelp(table, key, field, plant, &send)))
        return;
    printf("  help request '%s'\n", send);
    if (report("ZanCreateHlpTable",
               ZanCreateHlpTable(1, columns, (int32_t)strlen(columns))))
        return;
    if (report("ZanFillHlpTable", ZanFillHlpTable(1, lines, (int32_t)strlen(lines)))) return;
    ZanGetHlpDescription(1, &text);
    columnCount = atoi(text);
    ZanGetHlpDescription(2, &text);
    lineCount = atoi(text);
    preselected = ZanGetHlpDescription(3, &text) == 0 ? atoi(text) : 1;
    printf("  help table   %d columns, %d lines, column %d preselected\n", (int)columnCount,
           (int)lineCount, (int)preselected);
    for (line = 0; line <= lineCount; ++line) {
        printf("   ");
        for (column = 1; column <= columnCount; ++column) {
            if (ZanGetHlpData(1, column, line, &entry) != 0) continue;
            /* Line 0 gives the titles; each entry comes padded to its width. */
            if (line == 0) printf(" %-*s", (int)entry.length, entry.name);
            else printf(" %s", entry.value);
        }
        printf("\n");
    }
    printf("\n");
}

static void use_release(const char* release) {
    char record[32];
    snprintf(record, sizeof record, "%-4sXY;ZKELMHOST", release);
    report("ZanFillInterface", ZanFillInterface(record, (int32_t)strlen(record)));
}

static void print_characteristic(const CharacteristicData* d) {
    printf("    %-8s field %-8s unit %-3s length %2d width %2d decimals %d value '%s'\n", d->name,
           d->fieldName, d->unit, (int)d->length, (int)d->width, (int)d->decimals, d->value);
}

static void older_bar_exchange(void) {
    /* Header texts, then nine fields per characteristic. */
    char description[] = "BOLT;DIN 933;Hexagon head bolts;A;2024;"
                         "Diameter;D;A;;mm;N;;6;1;"
                         "Length;L;B;;mm;N;;6;0;"
                         "Since;SINCE;C;;;DATE;;8;0;";
    char rows[] = "BOLT-M8x40;8;40;01.01.2020;BOLT-M10x50;10;50;01.06.2021;";
    char selection[] = "X";
    char* text = NULL;
    char* send = NULL;
    int32_t records, objects, r, k;
    CharacteristicData d;

    printf("Characteristic bar, older form (release 50A)\n");
    use_release("50A");
    if (report("ZanCreateSmlTable",
               ZanCreateSmlTable(1, description, (int32_t)strlen(description))))
        return;
    if (report("ZanFillSmlTable", ZanFillSmlTable(1, rows, (int32_t)strlen(rows)))) return;
    ZanGetSmlDescription(1, &text);
    records = atoi(text);
    ZanGetSmlDescription(2, &text);
    objects = atoi(text);
    ZanGetSmlDescription(3, &text);
    printf("  bar '%s': %d characteristics, %d objects\n", text ? text : "", (int)records,
           (int)objects);
    for (k = 1; k <= objects; ++k) {
        printf("  object %d\n", (int)k);
        for (r = 1; r <= records; ++r)
            if (ZanGetSmlData(1, r, k, &d) == 0) print_characteristic(&d);
    }
    report("ZanWriteSmlValue", ZanWriteSmlValue(1, 2, NULL, 11, selection, 0));
    if (ZanCreateSendstrSml(1, &send) == 0) printf("  selection string '%s'\n", send);
    if (ZanCreateSendstrSml(2, &send) == 0) printf("  value string     '%s'\n", send);
    printf("\n");
}

static void mail_exchange(void) {
    /* Two mails of type 1: sixteen fields each. */
    char mails[] = "F;2024;17;D;2024;4711;Drawing released;MEIER;SCHULZ;1;X;;;;;;"
                   "F;2024;18;D;2024;4712;Change request 12;SCHULZ;MEIER;1;;;;;;;";
    char field[8];
    char* text = NULL;
    char* send = NULL;
    int32_t count, k;

    printf("Mail exchange\n");
    use_release("46C");
    if (report("ZanCreateMailTable", ZanCreateMailTable(1, mails, (int32_t)strlen(mails))))
        return;
    ZanDescribeMailTable(1, &text);
    count = atoi(text);
    printf("  %d mails\n", (int)count);
    for (k = 1; k <= count; ++k) {
        char sender[8] = "SNDNAM";
        char senderName[64];
        ZanGetMailData(1, 0, sender, k, &text);
        snprintf(senderName, sizeof senderName, "%s", text);
        field[0] = '\0';
        /* Position 1 of type 1 is the first field after the six key fields. */
        if (ZanGetMailData(1, 1, field, k, &text) == 0)
            printf("  mail %d from %-7s %s '%s'\n", (int)k, senderName, field, text);
    }
    if (ZanCreateSendstrMail(1, 2, &send) == 0) printf("  mail request '%s'\n", send);
    printf("\n");
}

static void newer_release_exchange(void) {
    char v[8][16] = {"CLASS", "001", "PUMPS", "", "", "", "", ""};
    char classes[] = "PUMP;DN;A;X;mm;VALVE;PN;B;X;bar;";
    /* Five header values, then 32 fields per characteristic. */
    char description[512];
    char objects[] = "P-100;Pump 100;;;;;;;;;;;;;DN;50;PN;16;;"
                     "P-200;Pump 200;;;;;;;;;;;;;DN;80;PN;25;PN;40;;";
    char* send = NULL;
    char* text = NULL;
    char* values[5];
    char name[8];
    int32_t count = 0, objectCount, k, r;
    SmlCharacteristicData d;

    printf("Newer release: classification and characteristic bar (release 46C)\n");
    use_release("46C");
    if (ZanCreateSendstrClasK4(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], &send) == 0)
        printf("  class request '%s'\n", send);
    if (report("ZanCreateFillClasTableK4",
               ZanCreateFillClasTableK4(2, classes, (int32_t)strlen(classes), &count)))
        return;
    for (r = 1; r <= count; ++r)
        if (ZanGetClasDataK4(2, r, values) == 0)
            printf("  class %d: %s %s %s %s %s\n", (int)r, values[0], values[1], values[2],
                   values[3], values[4]);

    snprintf(description, sizeof description, "%s%s%s", "PUMPS;001;Pumps;;;",
             "DN;Nominal diameter;X;;X;NUM;X;;;4;0;;;;;;mm;A;;;;;;;;;;;;;;;",
             "PN;Nominal pressure;;;X;NUM;;X;;3;0;;;;;;bar;B;;;;;;;;;;;;;;;");
    if (report("ZanCreateSmlTable", ZanCreateSmlTable(1, description, (int32_t)strlen(description))))
        return;
    if (ZanCreateSendstrPosSmlValuesK4(1, &send) == 0) printf("  value request '%s'\n", send);
    if (report("ZanFillSmlTable", ZanFillSmlTable(1, objects, (int32_t)strlen(objects)))) return;
    ZanGetSmlDescription(2, &text);
    objectCount = atoi(text);
    ZanGetSmlDescription(4, &text);
    printf("  bar '%s': %d objects\n", text ? text : "", (int)objectCount);
    for (k = 1; k <= objectCount; ++k) {
        char* objectTexts[14];
        int32_t n, i;
        strcpy(name, "PN");
        ZanGetObjectDataK4(1, k, objectTexts);
        ZanGetSmlValueDescriptionK4(1, k, name, &n);
        printf("  object %s (%s): DN ", objectTexts[0], objectTexts[1]);
        strcpy(name, "DN");
        if (ZanGetSmlDataValueK4(1, name, 0, k, 1, &text) == 0) printf("%s", text);
        printf(", PN");
        for (i = 1; i <= n; ++i) {
            strcpy(name, "PN");
            if (ZanGetSmlDataValueK4(1, name, 0, k, i, &text) == 0) printf(" %s", text);
        }
        printf("\n");
    }
    for (r = 1; ZanGetSmlDataK4(1, r, 2, &d) == 0; ++r)
        printf("  %-3s %-18s unit %-3s digits %d, object 2: '%s'\n", d.name, d.description,
               d.unit, (int)d.digits, d.value);
    {
        char chosen[] = "DN", sendText[] = "80";
        ZanWriteSmlValue(1, 0, chosen, 34, sendText, 0);
    }
    if (ZanCreateSendstrSml(1, &send) == 0) printf("  choice string '%s'\n", send);
    {
        char pairs[] = "DN;65;PN;10;PN;16;";
        ZanFillSmlTable(2, pairs, (int32_t)strlen(pairs));
    }
    if (ZanCreateSendstrSml(2, &send) == 0) printf("  value string  '%s'\n", send);
    printf("\n");
}

/* One print file of each family into the print folder. */
static void print_tables(void) {
    static const struct {
        int32_t type;
        const char* file;
    } prints[] = {{2, "answer_table.txt"},   {5, "characteristic_bar.txt"},
                  {12, "class_table.txt"},   {21, "mails.txt"}};
    char path[1200];
    size_t i;

    printf("Print files in %s\n", printFolder);
    for (i = 0; i < sizeof prints / sizeof prints[0]; ++i) {
        ErrorCode rc;
        FILE* written;
        snprintf(path, sizeof path, "%s/%s", printFolder, prints[i].file);
        rc = ZanPrintTable(prints[i].type, path);
        if (rc != 0) {
            report("ZanPrintTable", rc);
            continue;
        }
        /* ZanPrintTable returns 0 also when it cannot create the file: look. */
        written = fopen(path, "rb");
        if (written == NULL) {
            printf("  ERROR: table type %2d -> %s was not written\n", (int)prints[i].type,
                   prints[i].file);
            continue;
        }
        fclose(written);
        printf("  table type %2d -> %s\n", (int)prints[i].type, prints[i].file);
    }
}

/* Makes the print folder; one that is there already is fine. */
static int make_folder(const char* path) {
#if defined(_WIN32)
    if (_mkdir(path) == 0 || errno == EEXIST) return 1;
#else
    if (mkdir(path, 0777) == 0 || errno == EEXIST) return 1;
#endif
    printf("ERROR: cannot make the print folder %s\n", path);
    return 0;
}

static int choose_print_folder(int argc, char** argv) {
    if (argc > 2) {
        snprintf(printFolder, sizeof printFolder, "%s", argv[2]);
        return make_folder(printFolder);
    }
#if defined(_WIN32)
    {
        const char* tmp = getenv("TEMP");
        snprintf(printFolder, sizeof printFolder, "%s\\kelmod_host", tmp ? tmp : ".");
        return make_folder(printFolder);
    }
#else
    {
        char pattern[] = "/tmp/kelmod_host_XXXXXX";
        if (mkdtemp(pattern) == NULL) {
            printf("ERROR: cannot make a print folder in /tmp\n");
            return 0;
        }
        snprintf(printFolder, sizeof printFolder, "%s", pattern);
        return 1;
    }
#endif
}

int main(int argc, char** argv) {
    if (argc > 1) snprintf(folder, sizeof folder, "%s", argv[1]);
    start();
    generic_exchange();
    help_exchange();
    older_bar_exchange();
    mail_exchange();
    newer_release_exchange();
    if (choose_print_folder(argc, argv)) print_tables();
    ZanInitToolbox(2);
    return 0;
}
