/*
 * Example host: the exchanges a CAD program runs through KELMOD, written as a
 * host developer would write them against kelmod.h. The backend is canned:
 * its answers are read from the files beside this program.
 *
 * Usage: kelmod_host [examples-folder]
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "kelmod.h"

static char folder[1024] = KELMOD_EXAMPLES_DIR;

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

int main(int argc, char** argv) {
    if (argc > 1) snprintf(folder, sizeof folder, "%s", argv[1]);
    start();
    generic_exchange();
    help_exchange();
    ZanInitToolbox(2);
    return 0;
}
