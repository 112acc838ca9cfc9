/* A Windows stand-in for the Elite Force dedicated server, to show it starting under Wine on a
 * machine with no display: like the engine it opens its console window first and gives up when
 * it cannot, then answers getinfo and getstatus over Winsock on its net_port (from its command
 * line, else 27960) until it is ended. Built by scripts/wine-headless.sh with
 * x86_64-w64-mingw32-gcc; not part of the build. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <winsock2.h>

static int portFrom(int argc, char** argv) {
    int port = 27960;
    for (int i = 1; i + 2 < argc; ++i)
        if (!strcmp(argv[i], "+set") && !strcmp(argv[i + 1], "net_port"))
            port = atoi(argv[i + 2]);
    return port;
}

/* The reply to a query, or 0 bytes for anything else. */
static int reply(const char* query, int size, char* out, int room) {
    const char* challenge = size > 0 ? strchr(query, ' ') : NULL;
    const char* info = "\\hostname\\Wine stand-in\\sv_hostname\\Wine stand-in\\mapname\\hm_voy1"
                       "\\gametype\\0\\g_gametype\\0\\sv_maxclients\\8\\clients\\0\\challenge\\";
    if (!strncmp(query, "\xff\xff\xff\xffgetinfo", 11))
        return snprintf(out, room, "\xff\xff\xff\xffinfoResponse\n%s%s", info,
                        challenge ? challenge + 1 : "");
    if (!strncmp(query, "\xff\xff\xff\xffgetstatus", 13))
        return snprintf(out, room, "\xff\xff\xff\xffstatusResponse\n%s%s\n", info,
                        challenge ? challenge + 1 : "");
    return 0;
}

int main(int argc, char** argv) {
    HWND console = CreateWindowExA(0, "STATIC", "Elite Force console", WS_OVERLAPPEDWINDOW, 0, 0,
                                   640, 480, NULL, NULL, GetModuleHandleA(NULL), NULL);
    if (!console) {
        printf("Could not create the console window (error %lu).\n", GetLastError());
        return 1;
    }
    printf("Console window created.\n");
    WSADATA winsock;
    WSAStartup(MAKEWORD(2, 2), &winsock);
    SOCKET udp = socket(AF_INET, SOCK_DGRAM, 0);
    struct sockaddr_in address = {0};
    address.sin_family = AF_INET;
    address.sin_port = htons((u_short)portFrom(argc, argv));
    if (bind(udp, (struct sockaddr*)&address, sizeof address) != 0) {
        printf("Could not listen on port %d.\n", portFrom(argc, argv));
        return 1;
    }
    printf("Answering queries on port %d.\n", portFrom(argc, argv));
    fflush(stdout);
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(udp, &readable);
        struct timeval wait = {0, 100000};
        if (select(0, &readable, NULL, NULL, &wait) <= 0)
            continue;
        char query[1400], answer[1500];
        struct sockaddr_in from;
        int fromSize = sizeof from;
        int size = recvfrom(udp, query, sizeof query - 1, 0, (struct sockaddr*)&from, &fromSize);
        query[size > 0 ? size : 0] = 0;
        int length = reply(query, size, answer, sizeof answer);
        if (length > 0)
            sendto(udp, answer, length, 0, (struct sockaddr*)&from, fromSize);
    }
}
