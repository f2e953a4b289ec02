/*
 * The C side of benchmarks/overhead.py: the same get_table_value loop as a C
 * host runs it, over the table that overhead.py's data string fills.
 *
 * Usage: overhead LIBRARY SETS FIELDS DATA-FILE RECORDS ROUNDS
 * Prints the best time per call over ROUNDS rounds, in nanoseconds.
 */
#define _POSIX_C_SOURCE 200809L
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "kelmod.h"

typedef ErrorCode (*init_t)(int32_t);
typedef ErrorCode (*create_fill_t)(int32_t, char*, char*, char*, char*, char*, int32_t);
typedef ErrorCode (*get_t)(int32_t, char*, int32_t, char**);

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1e9 + (double)t.tv_nsec;
}

int main(int argc, char** argv) {
    void* library;
    init_t init;
    create_fill_t create_fill;
    get_t get;
    FILE* file;
    char* data;
    long size;
    int32_t records, rounds, round, record;
    char name[] = "MATAN", key[] = "01";
    char field[16], copy[256];
    char* value;
    double best = 1e300;
    volatile size_t sink = 0;

    if (argc != 7) return 64;
    library = dlopen(argv[1], RTLD_NOW);
    if (library == NULL) return 66;
    init = (init_t)dlsym(library, "ZanInitToolbox");
    create_fill = (create_fill_t)dlsym(library, "ZanCreateFillTable");
    get = (get_t)dlsym(library, "ZanGetTableValue");
    file = fopen(argv[4], "rb");
    if (file == NULL) return 66;
    fseek(file, 0, SEEK_END);
    size = ftell(file);
    fseek(file, 0, SEEK_SET);
    data = malloc((size_t)size + 1);
    if (data == NULL || fread(data, 1, (size_t)size, file) != (size_t)size) return 66;
    data[size] = '\0';
    fclose(file);
    records = atoi(argv[5]);
    rounds = atoi(argv[6]);

    init(1);
    if (create_fill(2, name, key, argv[2], argv[3], data, (int32_t)size) != 0) return 70;
    for (round = 0; round < rounds; ++round) {
        double start = now(), elapsed;
        for (record = 1; record <= records; ++record) {
            /* As a host does it: a writable field name, the value copied out. */
            strcpy(field, "MAKTX");
            if (get(2, field, record, &value) != 0) return 70;
            strncpy(copy, value, sizeof copy - 1);
            sink += strlen(copy);
        }
        elapsed = (now() - start) / records;
        if (elapsed < best) best = elapsed;
    }
    init(2);
    printf("%.1f\n", best);
    free(data);
    return sink == 0;
}
