// A library that holds nothing but its version record.
int versionRecordProbe()
{
    return 0;
}
