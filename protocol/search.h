// The discovery sweep.
#ifndef PROTOCOL_SEARCH_H
#define PROTOCOL_SEARCH_H

// Empties the AdapterList, multicasts the search request three times (80 ms
// apart, then 100 ms of quiet), and lists every adapter whose reply is read
// in the next 32 polls, 20 ms apart, in order of its first reply.  About
// 1.2 s in all.
void SearchAdapters();

#endif
